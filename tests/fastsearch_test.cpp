#include <gtest/gtest.h>

#include <string>

#include "search/fastsearch.h"
#include "search/search.h"
#include "search_compare.h"
#include "test_util.h"

TEST(FastSearch, AgreesOnRandomPlayouts) { EXPECT_GE(test::compareOnPlayouts(7, 4, 60, 3, 4), 60); }

TEST(FastSearch, AgreesOnChosenPositions) {
    const char* positions[] = {
        // Checks, mates and stalemates.
        "7k/5Q2/5K2/8/8/8/8/8 w - - 0 1",
        "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1",
        "7k/8/6QK/8/8/8/8/8 b - - 0 1",
        "8/8/8/8/8/2k5/1q6/K7 w - - 0 1",
        // Quiet moves that stalemate: the side behind may look for them, the side ahead
        // must avoid them.
        "7k/5K2/6Q1/8/8/8/8/8 w - - 0 1",
        "k7/8/1K6/8/8/8/8/1R6 w - - 0 1",
        "7k/5K1P/8/8/8/8/8/q7 b - - 0 1",
        "5k2/5P2/5K2/8/8/8/8/r7 w - - 0 1",
        "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
        "4k3/8/8/8/8/8/4r3/4K3 w - - 0 1",
        "3r2k1/5ppp/8/8/8/8/5PPP/1Q4K1 b - - 0 1",
        // Promotions, en passant and castling.
        "8/1P5k/8/8/8/8/6p1/K7 w - - 0 1",
        "r3k3/1P6/8/8/8/8/6p1/4K2R b K - 0 1",
        "rnbqkbnr/ppp2ppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        // Halfmove clocks on both sides of where the table's reasoning stops, and near 100.
        "7k/8/8/8/8/8/8/K5Q1 w - - 29 60",
        "7k/8/8/8/8/8/8/K5Q1 w - - 30 60",
        "6k1/8/8/8/8/8/5q2/K6R w - - 95 80",
        "7k/8/8/8/8/8/8/K5Q1 w - - 99 80",
    };
    for (const char* fen : positions) {
        ASSERT_TRUE(test::loadFen(fen));
        for (int depth = 1; depth <= 4; ++depth) EXPECT_TRUE(test::sameChoice(depth));
    }
}

TEST(FastSearch, AgreesWithAlmostFullHistory) {
    ASSERT_TRUE(test::loadFen("7k/5Q2/5K2/8/8/8/8/8 w - - 0 1"));
    for (int count : {1100, 1150, 1190, HISTORY_SIZE}) {
        pos.historyCount = count;
        EXPECT_TRUE(test::sameChoice(4)) << "history count " << count;
    }
}

TEST(FastSearch, PlaysTheGamesOpening) {
    // The first plies of the program's game with their scores.
    test::startGame();
    const int scores[] = {-1, -1, 0, -1};
    const char* moves[] = {"a2a3", "b8a6", "c2c3", "a8b8"};
    for (int ply = 0; ply < 4; ++ply) {
        EXPECT_EQ(fastSearch(ROOT_DEPTH), scores[ply]) << "ply " << ply + 1;
        ASSERT_EQ(bestMove, test::findMove(moves[ply])) << "ply " << ply + 1;
        ASSERT_TRUE(makeMove(bestMove));
    }
    EXPECT_EQ(pos.hash, 0xDC000050u);
    EXPECT_EQ(countRepetitions(), 1);
}
