#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "search/fastsearch.h"
#include "search/search.h"
#include "tests/search_compare.h"
#include "tests/test_util.h"

namespace {

// The recorded game: per ply the move played and what the straightforward search cost.
struct RecordedPly {
    Move move;
    unsigned long long searchCalls;
};

std::vector<RecordedPly> recordedGame() {
    std::istringstream in(test::readTestData("game_moves.txt"));
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
