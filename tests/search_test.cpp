#include <gtest/gtest.h>

#include "search/evaluate.h"
#include "search/search.h"
#include "test_util.h"

namespace {

int searchFromTop(int depth) {
    bestMove = NO_MOVE;
    return search(-SCORE_LIMIT, SCORE_LIMIT, depth);
}

}  // namespace

TEST(Evaluate, MaterialFromTheMoversSide) {
    test::startGame();
    EXPECT_EQ(evaluate(), 0);
    ASSERT_TRUE(test::loadFen("r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
    EXPECT_EQ(evaluate(), 3);
    ASSERT_TRUE(test::loadFen("r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1"));
    EXPECT_EQ(evaluate(), -3);
}

TEST(Search, StartPositionChoosesFirstOfEqualMoves) {
    test::startGame();
    searchCalls = 0;
    EXPECT_EQ(searchFromTop(ROOT_DEPTH), -1);
    EXPECT_EQ(bestMove, makeMoveCode(81, 71, 0, MF_PAWN));  // a2-a3
    EXPECT_EQ(searchCalls, 710312u);
    EXPECT_EQ(pos.historyCount, 0);
    EXPECT_EQ(pos.side, WHITE);
}

TEST(Search, MateAndStalemateScores) {
    // Checkmated with an empty history, and with three positions recorded.
    ASSERT_TRUE(test::loadFen("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1"));
    EXPECT_EQ(searchFromTop(3), -SCORE_LIMIT);
    pos.historyCount = 3;
    EXPECT_EQ(searchFromTop(3), 3 - SCORE_LIMIT);
    EXPECT_EQ(bestMove, NO_MOVE);
    // Stalemate scores 0 whatever the material.
    ASSERT_TRUE(test::loadFen("7k/8/6QK/8/8/8/8/8 b - - 0 1"));
    EXPECT_EQ(searchFromTop(3), 0);
    EXPECT_EQ(bestMove, NO_MOVE);
}

TEST(Search, MateInOneScoresByHistoryCount) {
    ASSERT_TRUE(test::loadFen("7k/5Q2/5K2/8/8/8/8/8 w - - 0 1"));
    EXPECT_EQ(searchFromTop(2), SCORE_LIMIT - 1);
    EXPECT_EQ(bestMove, test::findMove("f7g7"));
    ASSERT_TRUE(test::loadFen("7k/5Q2/5K2/8/8/8/8/8 w - - 0 1"));
    pos.historyCount = 10;
    EXPECT_EQ(searchFromTop(2), SCORE_LIMIT - 11);
    EXPECT_EQ(pos.historyCount, 10);
}

TEST(Search, DepthZeroIsMaterialEvenInCheck) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/4r3/4K3 w - - 0 1"));
    EXPECT_EQ(searchFromTop(0), -5);
}

TEST(Search, FiftyMoveRuleScoresZeroAfterTheMoves) {
    // White is a queen up, but every move lets the clock reach the limit.
    ASSERT_TRUE(test::loadFen("7k/8/8/8/8/8/8/K5Q1 w - - 99 1"));
    EXPECT_EQ(searchFromTop(1), 9);  // a leaf after the move: only material counts
    EXPECT_EQ(searchFromTop(2), 0);  // the reply's node sees the clock at 100
}

TEST(Search, RestoresThePositionItSearched) {
    ASSERT_TRUE(
        test::loadFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"));
    const Position before = pos;
    searchFromTop(3);
    EXPECT_TRUE(test::sameAfterSearch(before));
}
