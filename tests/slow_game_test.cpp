#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "search/fastsearch.h"
#include "search/search.h"
#include "search_compare.h"
#include "test_util.h"

namespace {

std::string readData(const char* name) {
    std::ifstream in(std::string(CHESS_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The recorded game: per ply the move played and what the straightforward search cost.
struct RecordedPly {
    Move move;
    unsigned long long searchCalls;
};

std::vector<RecordedPly> recordedGame() {
    std::istringstream in(readData("game_moves.txt"));
    std::vector<RecordedPly> plies;
    int ply = 0;
    int outcome = 0;
    std::string move;
    unsigned long long calls = 0;
    while (in >> ply >> move >> outcome >> calls) {
        plies.push_back({static_cast<Move>(std::stoul(move, nullptr, 16)), calls});
    }
    return plies;
}

}  // namespace

TEST(SlowGame, ProgramPrintsTheRecordedGame) {
    const std::string expected = readData("game_transcript.txt");
    ASSERT_FALSE(expected.empty());
    test::TempFile input("\r\n");
    test::TempFile output;
    ASSERT_TRUE(input.ok() && output.ok());
    const pid_t pid = test::spawnProgram(input.fd(), output.fd());
    ASSERT_GT(pid, 0);
    const int status = test::waitForProgram(pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(output.content() == expected) << "the game's output differs from the transcript";
}

TEST(SlowGame, EveryCheapMoveIsTheStraightforwardSearchsChoice) {
    const std::vector<RecordedPly> game = recordedGame();
    ASSERT_EQ(game.size(), 106u);
    constexpr unsigned long long AFFORDABLE_CALLS = 3000000;
    test::startGame();
    int compared = 0;
    for (const RecordedPly& ply : game) {
        if (ply.searchCalls < AFFORDABLE_CALLS) {
            const Position before = pos;
            bestMove = NO_MOVE;
            searchCalls = 0;
            search(-SCORE_LIMIT, SCORE_LIMIT, ROOT_DEPTH);
            EXPECT_EQ(bestMove, ply.move) << "ply " << compared;
            EXPECT_EQ(searchCalls, ply.searchCalls);
            pos = before;
            ++compared;
        }
        fastSearch(ROOT_DEPTH);
        ASSERT_EQ(bestMove, ply.move);
        ASSERT_TRUE(makeMove(bestMove));
    }
    EXPECT_GE(compared, 60);
}

TEST(SlowGame, FastAndStraightforwardAgreeOnTheFirstFortyPlies) {
    const std::vector<RecordedPly> game = recordedGame();
    test::startGame();
    for (int ply = 0; ply < 40; ++ply) {
        const Position before = pos;
        bestMove = NO_MOVE;
        const int expectedScore = search(-SCORE_LIMIT, SCORE_LIMIT, ROOT_DEPTH);
        const Move expectedMove = bestMove;
        pos = before;
        EXPECT_EQ(fastSearch(ROOT_DEPTH), expectedScore) << "ply " << ply + 1;
        EXPECT_EQ(bestMove, expectedMove) << "ply " << ply + 1;
        ASSERT_EQ(bestMove, game[ply].move);
        ASSERT_TRUE(makeMove(bestMove));
    }
}

TEST(SlowGame, FastAndStraightforwardAgreeOnRandomPlayouts) {
    EXPECT_GE(test::compareOnPlayouts(20261206, 12, 60, 3, 5), 200);
}
