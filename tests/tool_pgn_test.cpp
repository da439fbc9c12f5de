#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "tests/tool_pgn_replay.h"

namespace {

using tool::PgnRecord;

constexpr const char* SEVEN_TAG_ROSTER[] = {"Event", "Site",  "Date",  "Round",
                                            "White", "Black", "Result"};

PgnRecord recordFrom(const std::string& fen) {
    const tool::ToolRun run = tool::runTool({"pgn", "--fen", fen});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "progress goes to standard error only on a terminal";
    return tool::parsePgn(run.out);
}

// Plays the game program's loop from the FEN and returns what it writes.
std::string gameFrom(const std::string& fen) {
    std::string error;
    EXPECT_TRUE(readFen(fen, error)) << error;
    return tool::captureConsole([] { runSelfPlay(); });
}

// Replays the record from the FEN as the game would show it.
std::string replayFrom(const std::string& fen, const PgnRecord& record) {
    std::string error;
    EXPECT_TRUE(readFen(fen, error)) << error;
    std::string text = tool::captureConsole([&record] { tool::replayAsGame(record); });
    tool::expectEndingHolds(record);
    return text;
}

// Replaces a Date tag of the form YYYY.MM.DD by "D"; leaves any other form as it is.
std::string withDateReplaced(std::string text) {
    const std::string tag = "[Date \"";
    const size_t start = text.find(tag);
    if (start == std::string::npos) return text;
    const size_t value = start + tag.size();
    const std::string date = text.substr(value, 10);
    for (size_t k = 0; k < date.size(); ++k) {
        const bool dot = k == 4 || k == 7;
        if (dot ? date[k] != '.' : !std::isdigit(static_cast<unsigned char>(date[k]))) return text;
    }
    return text.replace(value, date.size(), "D");
}

void expectRecordIsTheGame(const std::string& fen) {
    const PgnRecord record = recordFrom(fen);
    ASSERT_FALSE(record.comment.empty()) << fen;
    EXPECT_EQ(replayFrom(fen, record), gameFrom(fen)) << fen;
    for (const std::string& line : record.movetextLines) {
        EXPECT_LT(line.size(), 80u) << line;
    }
}

}  // namespace

TEST(ToolPgn, MateInOneRecord) {
    const tool::ToolRun run = tool::runTool({"pgn", "--fen", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string withoutDate = withDateReplaced(run.out);
    EXPECT_EQ(withoutDate,
              "[Event \"Self-play game\"]\n"
              "[Site \"?\"]\n"
              "[Date \"D\"]\n"
              "[Round \"-\"]\n"
              "[White \"selfplay_chess\"]\n"
              "[Black \"selfplay_chess\"]\n"
              "[Result \"1-0\"]\n"
              "[SetUp \"1\"]\n"
              "[FEN \"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\"]\n"
              "\n"
              "1. Ra8# {White wins by checkmate} 1-0\n"
              "\n");
}

TEST(ToolPgn, TagsComeInRosterOrderThenSetUpAndFen) {
    const PgnRecord record = recordFrom("r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30");
    ASSERT_EQ(record.tagNames.size(), 9u);
    for (size_t k = 0; k < 7; ++k) EXPECT_EQ(record.tagNames[k], SEVEN_TAG_ROSTER[k]);
    EXPECT_EQ(record.tagNames[7], "SetUp");
    EXPECT_EQ(record.tagNames[8], "FEN");
    EXPECT_EQ(record.tagValues[8], "r5k1/8/8/8/8/8/5PPP/6K1 b - - 3 30");
    EXPECT_EQ(record.tagValues[6], "0-1");
    EXPECT_EQ(record.movetextLines.at(0), "30... Ra1# {Black wins by checkmate} 0-1");
}

TEST(ToolPgn, StalemateAtTheStartHasNoMoves) {
    const PgnRecord record = recordFrom("k7/8/1Q6/8/8/8/8/7K b - - 0 1");
    EXPECT_TRUE(record.moves.empty());
    EXPECT_EQ(record.comment, "Draw by stalemate");
    EXPECT_EQ(record.result, "1/2-1/2");
}

TEST(ToolPgn, CheckmateIsTheGame) {
    expectRecordIsTheGame("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
    expectRecordIsTheGame("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4");
    expectRecordIsTheGame("r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1");
}

TEST(ToolPgn, MateInTwoIsTheGame) {
    const std::string fen = "7k/8/8/8/8/8/R7/1R4K1 w - - 0 1";
    expectRecordIsTheGame(fen);
    const PgnRecord record = recordFrom(fen);
    EXPECT_EQ(record.comment, "White wins by checkmate");
    ASSERT_EQ(record.moves.size(), 3u);
    EXPECT_EQ(record.moves.back().back(), '#');
}

TEST(ToolPgn, StalemateIsTheGame) { expectRecordIsTheGame("k7/8/1Q6/8/8/8/8/7K b - - 0 1"); }

TEST(ToolPgn, FiftyMoveRuleIsTheGame) {
    const std::string fen = "7k/8/8/8/8/8/8/K6N w - - 96 80";
    expectRecordIsTheGame(fen);
    EXPECT_EQ(recordFrom(fen).comment, "Draw by the fifty-move rule");
}

TEST(ToolPgn, RepetitionIsTheGame) {
    const std::string fen = "8/8/8/4k3/8/8/8/N3K3 w - - 90 80";
    expectRecordIsTheGame(fen);
    EXPECT_EQ(recordFrom(fen).comment, "Draw by threefold repetition");
}

TEST(ToolPgn, RepetitionOfTheHashAloneIsNamedSo) {
    // The game takes two different positions with one 32-bit hash for the same.
    const std::string fen = "8/8/8/4k3/8/8/8/N3K3 w - - 0 80";
    expectRecordIsTheGame(fen);
    EXPECT_EQ(recordFrom(fen).comment, "Draw by threefold repetition of the position hash");
}

TEST(ToolPgn, LongRecordsWrapBelowEightyCharacters) {
    const std::string fen = "8/8/8/4k3/8/8/8/N3K3 w - - 90 80";
    expectRecordIsTheGame(fen);
    EXPECT_GT(recordFrom(fen).movetextLines.size(), 2u);
}
