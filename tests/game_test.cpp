#include <gtest/gtest.h>

#include <string>

#include "app/console.h"
#include "app/render.h"
#include "app/selfplay.h"
#include "test_util.h"

namespace {

// Runs a function with the console pointed at a temporary file; returns what it wrote.
template <typename Run>
std::string captureOutput(Run run) {
    test::TempFile file;
    const int saved = consoleOutput;
    consoleOutput = file.fd();
    run();
    consoleOutput = saved;
    return file.content();
}

std::string picture() { return captureOutput(printBoard); }

// Plays a game out from a FEN position as the program does from the start.
std::string playFrom(const char* fen) {
    EXPECT_TRUE(test::loadFen(fen));
    return captureOutput([] {
        printBoard();
        runSelfPlay();
    });
}

// The picture of a position and of the position after each of the given moves.
std::string picturesAfter(const char* fen, std::initializer_list<const char*> moves,
                          std::initializer_list<bool> checks) {
    EXPECT_TRUE(test::loadFen(fen));
    std::string all = picture();
    auto check = checks.begin();
    for (const char* move : moves) {
        EXPECT_TRUE(test::play(move));
        if (*check++) all += "CHECK!\r\n";
        all += picture();
    }
    return all;
}

}  // namespace

TEST(SelfPlay, CheckmateEndsWithoutAnotherPicture) {
    const char* fen = "7k/5Q2/5K2/8/8/8/8/8 w - - 0 1";
    const std::string expected = picturesAfter(fen, {"f7g7"}, {true}) + "CHECKMATE!\r\n";
    EXPECT_EQ(playFrom(fen), expected);
}

TEST(SelfPlay, CheckmateOnTheFirstPly) {
    const char* fen = "8/8/8/8/8/2k5/1q6/K7 w - - 0 1";
    EXPECT_EQ(playFrom(fen), picturesAfter(fen, {}, {}) + "CHECKMATE!\r\n");
}

TEST(SelfPlay, Stalemate) {
    const char* fen = "7k/8/6QK/8/8/8/8/8 b - - 0 1";
    EXPECT_EQ(playFrom(fen), picturesAfter(fen, {}, {}) + "STALEMATE!\r\n");
}

TEST(SelfPlay, FiftyMoveRuleDrawsWithoutPicturingTheLastMove) {
    const std::string output = playFrom("7k/8/8/8/8/8/8/K6B w - - 90 1");
    EXPECT_EQ(pos.halfmoveClock, FIFTY_MOVE_LIMIT);
    const std::string ending = "\r\n\r\nDRAW!\r\n";
    ASSERT_GE(output.size(), ending.size());
    EXPECT_EQ(output.substr(output.size() - ending.size()), ending);
    // Ten plies were played; the picture of the tenth is not shown.
    const size_t pictureSize = 10 * 12 + 2;
    EXPECT_EQ(output.size(), 10 * pictureSize + std::string("DRAW!\r\n").size());
}

TEST(SelfPlay, ThreefoldRepetitionDraws) {
    const std::string output = playFrom("k7/8/1Q6/8/8/8/8/7K w - - 0 1");
    EXPECT_EQ(countRepetitions(), REPETITION_LIMIT);
    EXPECT_LT(pos.halfmoveClock, FIFTY_MOVE_LIMIT);
    EXPECT_EQ(output.substr(output.size() - 7), "DRAW!\r\n");
}

TEST(SelfPlay, PlyReportsCheckAndDraws) {
    ASSERT_TRUE(test::loadFen("7k/5Q2/5K2/8/8/8/8/8 w - - 0 1"));
    const Move mate = test::findMove("f7g7");
    PlyResult ply = playPly();
    EXPECT_EQ(ply.outcome, PlyOutcome::MOVED);
    EXPECT_TRUE(ply.givesCheck);
    EXPECT_EQ(ply.move, mate);
    ply = playPly();
    EXPECT_EQ(ply.outcome, PlyOutcome::CHECKMATE);
    EXPECT_EQ(ply.move, NO_MOVE);
}

TEST(SelfPlay, GameBeginsAsRecorded) {
    test::startGame();
    const char* moves[] = {"a2a3", "b8a6", "c2c3", "a8b8"};
    for (const char* move : moves) {
        const Move expected = test::findMove(move);
        const PlyResult ply = playPly();
        ASSERT_EQ(ply.move, expected) << move;
        EXPECT_FALSE(ply.givesCheck);
    }
    EXPECT_EQ(pos.hash, 0xDC000050u);
    EXPECT_EQ(countRepetitions(), 1);
}
