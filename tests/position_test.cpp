// The position record: starting position, hash, history and the repetition window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/position.h"
#include "tests/test_util.h"

namespace {

TEST(StartingPosition, BoardRightsAndHash) {
    pos.historyCount = 7;  // the history is not the starting position's business
    setupInitialPosition();
    EXPECT_EQ(pos.historyCount, 7);
    EXPECT_EQ(std::memcmp(pos.board, INITIAL_BOARD, sizeof pos.board), 0);
    EXPECT_EQ(pos.side, WHITE);
    EXPECT_EQ(pos.castling, 15);
    EXPECT_EQ(pos.epSquare, NO_SQUARE);
    EXPECT_EQ(pos.halfmoveClock, 0);
    EXPECT_EQ(pos.hash, 0xFC0000EEu);
}

// Hash values worked out by hand: the en-passant square keeps only its low two bits at
// the top, the rights sit below them, and the squares 20 to 99 are folded in by index.
TEST(PositionHash, KnownValues) {
    test::startGame();
    ASSERT_TRUE(test::play("e2e4"));  // e3 = 75 keeps the bits 11, as "no square" does
    EXPECT_EQ(pos.hash, 0xFC0000FAu);

    test::startGame();
    ASSERT_TRUE(test::play("d2d4"));  // d3 = 74 keeps the bits 10
    EXPECT_EQ(pos.hash, 0xBC0000FAu);

    ASSERT_TRUE(test::loadFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"));
    EXPECT_EQ(pos.hash, 0xC00000EEu);
    ASSERT_TRUE(test::loadFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Kq - 0 1"));
    EXPECT_EQ(pos.hash, 0xE40000EEu);
}

TEST(PositionHash, SideToMoveDoesNotCount) {
    ASSERT_TRUE(test::loadFen("r3k2r/8/8/3p4/8/8/8/R3K2R w KQkq - 0 1"));
    const uint32_t whiteToMove = pos.hash;
    ASSERT_TRUE(test::loadFen("r3k2r/8/8/3p4/8/8/8/R3K2R b KQkq - 0 1"));
    EXPECT_EQ(pos.hash, whiteToMove);
}

// The first four plies of the program's own game.
TEST(PositionHistory, OpeningOfTheGame) {
    test::startGame();
    const char* plies[] = {"a2a3", "b8a6", "c2c3", "a8b8"};
    for (int k = 0; k < 4; ++k) {
        ASSERT_TRUE(test::play(plies[k]));
        EXPECT_EQ(pos.historyCount, k + 1);
        EXPECT_EQ(pos.history[k], pos.hash) << "after " << plies[k];
    }
    EXPECT_EQ(pos.hash, 0xDC000050u);
    EXPECT_EQ(countRepetitions(), 1);
}

TEST(Repetitions, KnightsShufflingBackAndForth) {
    test::startGame();
    const char* shuffle[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    // The starting position itself is never in the history.
    for (int round = 1; round <= 3; ++round) {
        for (const char* move : shuffle) ASSERT_TRUE(test::play(move));
        EXPECT_EQ(pos.hash, 0xFC0000EEu);
        EXPECT_EQ(countRepetitions(), round);
    }
    ASSERT_TRUE(test::play("e2e4"));
    EXPECT_EQ(countRepetitions(), 0) << "a pawn move empties the window";
}

TEST(Repetitions, NoneRightAfterACapture) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/3p4/8/8/8/3RK3 w - - 12 40"));
    ASSERT_TRUE(test::play("d1d5"));
    ASSERT_EQ(pos.halfmoveClock, 0);
    ASSERT_EQ(pos.history[pos.historyCount - 1], pos.hash);
    EXPECT_EQ(countRepetitions(), 0);
}

// The position reached by a pawn move lies just outside the window.
TEST(Repetitions, PositionOfTheLastPawnMoveIsOutsideTheWindow) {
    test::startGame();
    for (const char* move : {"e2e4", "g8f6", "g1f3", "f6g8", "f3g1"}) ASSERT_TRUE(test::play(move));
    ASSERT_EQ(pos.history[0], pos.hash) << "same placement and hash as after e2e4";
    EXPECT_EQ(pos.halfmoveClock, 4);
    EXPECT_EQ(countRepetitions(), 1);
}

TEST(Repetitions, FullHistoryStopsGrowingAndTheWindowUsesItsLastEntries) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/8/1N2K3 w - - 2 30"));
    const uint32_t start = pos.hash;
    for (int k = 0; k < HISTORY_SIZE; ++k) pos.history[k] = 0x1000u + static_cast<uint32_t>(k);
    std::fill(pos.history + HISTORY_SIZE - 4, pos.history + HISTORY_SIZE, start);
    pos.historyCount = HISTORY_SIZE;
    EXPECT_EQ(countRepetitions(), 2) << "clock 2: only the last two entries count";

    const Position full = pos;
    ASSERT_TRUE(test::play("b1c3"));
    EXPECT_EQ(pos.historyCount, HISTORY_SIZE);
    EXPECT_EQ(std::memcmp(pos.history, full.history, sizeof pos.history), 0);
    for (const char* move : {"e8d8", "c3b1", "d8e8"}) ASSERT_TRUE(test::play(move));
    EXPECT_EQ(pos.hash, start);
    EXPECT_EQ(pos.halfmoveClock, 6);
    EXPECT_EQ(pos.historyCount, HISTORY_SIZE);
    EXPECT_EQ(std::memcmp(pos.history, full.history, sizeof pos.history), 0);
    EXPECT_EQ(countRepetitions(), 4) << "the last six recorded entries, four of them equal";
}

// A position set up from FEN has a clock but no history behind it.
TEST(Repetitions, ClockLongerThanTheHistoryReadsNothingBeforeIt) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/8/4K3 w - - 1 60"));
    EXPECT_EQ(pos.historyCount, 0);
    EXPECT_EQ(countRepetitions(), 0);

    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/8/4K3 w - - 9 60"));
    ASSERT_TRUE(test::play("e1d1"));
    EXPECT_EQ(pos.historyCount, 1);
    EXPECT_EQ(pos.halfmoveClock, 10);
    EXPECT_EQ(countRepetitions(), 1);
}

}  // namespace
