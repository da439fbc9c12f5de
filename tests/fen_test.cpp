// Reading and writing FEN: round trips, and every kind of bad input refused with a reason
// while the current position stays as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "core/fen.h"
#include "tests/test_util.h"

namespace {

TEST(Fen, StartPositionFillsEveryField) {
    test::startGame();
    ASSERT_TRUE(test::play("e2e4"));  // leaves a history behind
    ASSERT_TRUE(test::loadFen(START_FEN));
    for (int i = 0; i < BOARD_SIZE; ++i)
        EXPECT_EQ(pos.board[i], INITIAL_BOARD[i]) << "square " << i;
    EXPECT_EQ(pos.side, WHITE);
    EXPECT_EQ(pos.castling, CR_ALL);
    EXPECT_EQ(pos.epSquare, NO_SQUARE);
    EXPECT_EQ(pos.halfmoveClock, 0);
    EXPECT_EQ(pos.historyCount, 0);
    EXPECT_EQ(pos.hash, 0xFC0000EEu);
}

TEST(Fen, FieldsOfAPositionWithEnPassantAndClock) {
    int fullmove = 0;
    std::string error;
    ASSERT_TRUE(readFen("4k3/8/8/8/3pP3/8/8/4K2R b K e3 0 37", error, &fullmove)) << error;
    EXPECT_EQ(fullmove, 37);
    EXPECT_EQ(pos.side, BLACK);
    EXPECT_EQ(pos.castling, CR_WHITE_KINGSIDE);
    EXPECT_EQ(pos.epSquare, 75);
    EXPECT_EQ(pos.board[64], PAWN | BLACK);
    EXPECT_EQ(pos.board[65], PAWN);
    EXPECT_EQ(pos.board[H1], ROOK);

    ASSERT_TRUE(readFen("  4k3/8/8/8/8/8/8/4K3   w - -  ", error, &fullmove)) << error;
    EXPECT_EQ(pos.halfmoveClock, 0) << "the counters may be left out";
    EXPECT_EQ(fullmove, 1);
}

TEST(Fen, RoundTrip) {
    const char* fens[] = {
        START_FEN,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
        "rnbqkbnr/pppp1ppp/8/8/3Pp3/8/PPP1PPPP/RNBQKBNR b Kq d3 0 3",
        "7k/8/8/8/8/8/8/K7 b - - 99 120",
    };
    for (const char* fen : fens) {
        int fullmove = 0;
        std::string error;
        ASSERT_TRUE(readFen(fen, error, &fullmove)) << fen << ": " << error;
        EXPECT_EQ(writeFen(fullmove), fen);
    }
}

// Every position of seeded random games survives writing and reading back.
TEST(Fen, RoundTripOfRandomGamePositions) {
    int failures = 0;
    test::randomPlayouts(7u, 200, 200, [&](Move) {
        const Position played = pos;
        const std::string fen = writeFen();
        std::string error;
        const bool read = readFen(fen, error);
        if (read) {
            Position expected = played;
            expected.historyCount = 0;
            std::copy(pos.history, pos.history + HISTORY_SIZE, expected.history);
            const ::testing::AssertionResult same = test::samePosition(expected, pos);
            if (!same && ++failures <= 5) ADD_FAILURE() << fen << ": " << same.message();
        } else if (++failures <= 5) {
            ADD_FAILURE() << fen << " refused: " << error;
        }
        pos = played;
    });
    EXPECT_EQ(failures, 0);
}

struct BadFen {
    const char* fen;
    const char* topic;  // a word the reason must contain
};

void PrintTo(const BadFen& c, std::ostream* out) { *out << '"' << c.fen << '"'; }

class FenRefused : public ::testing::TestWithParam<BadFen> {};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST_P(FenRefused, WithAReasonAndThePositionUntouched) {
    test::startGame();
    for (const char* move : {"e2e4", "e7e5", "g1f3"}) ASSERT_TRUE(test::play(move));
    const Position before = pos;
    std::string error;
    int fullmove = -5;
    EXPECT_FALSE(readFen(GetParam().fen, error, &fullmove));
    EXPECT_NE(lowerCase(error).find(GetParam().topic), std::string::npos) << "reason: " << error;
    EXPECT_TRUE(test::samePosition(before, pos));
    EXPECT_EQ(fullmove, -5);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fen, FenRefused, ::testing::Values(
    BadFen{"", "field"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w -", "field"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - 0 1 extra", "field"},
    BadFen{"4k3/8/8/8/8/8/8/4K2 w - - 0 1", "rank"},
    BadFen{"4k3/8/8/8/8/8/8/4K4 w - - 0 1", "rank"},
    BadFen{"4k3/7/8/8/8/8/8/4K3 w - - 0 1", "rank"},
    BadFen{"4k3/8/8/8/p8/8/8/4K3 w - - 0 1", "rank"},
    BadFen{"4k3/8/8/8/8/8/8/8/4K3 w - - 0 1", "rank"},
    BadFen{"4k3/8/8/8/8/8/4K3 w - - 0 1", "rank"},
    BadFen{"4k3/8/8/8/8/8/8/4K3/ w - - 0 1", "rank"},
    BadFen{"4k3//8/8/8/8/8/4K3 w - - 0 1", "rank"},
    BadFen{"4k3/8/8/3x4/8/8/8/4K3 w - - 0 1", "letter"},
    BadFen{"4k3/8/8/3.4/8/8/8/4K3 w - - 0 1", "letter"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 x - - 0 1", "side"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 W - - 0 1", "side"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 white - - 0 1", "side"},
    BadFen{"4k3/8/8/8/4P3/8/8/4K3 b - e4 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 b - e3 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/4P3/8/8/4K3 w - e3 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/4P3/4B3/8/4K3 b - e3 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/4P3/8/4B3/4K3 b - e3 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/4P3/8/8/4K3 b - z9 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/4P3/8/8/4K3 b - e33 0 1", "en-passant"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - -1 1", "clock"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - 10000 1", "clock"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - x 1", "clock"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - 99999999999 1", "clock"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - 0 0", "fullmove"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - 0 -3", "fullmove"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w - - 0 100000", "fullmove"},
    BadFen{"4k3/8/8/8/8/8/8/8 w - - 0 1", "king"},
    BadFen{"8/8/8/8/8/8/8/4K3 w - - 0 1", "king"},
    BadFen{"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", "king"},
    BadFen{"3kk3/8/8/8/8/8/8/4K3 w - - 0 1", "king"},
    BadFen{"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", "pawn"},
    BadFen{"4k3/8/8/8/8/8/8/4K2p w - - 0 1", "pawn"},
    BadFen{"4k3/8/8/8/8/8/8/p3K3 b - - 0 1", "pawn"},
    BadFen{"4k3/8/8/8/8/8/8/4K3 w K - 0 1", "castling"},
    BadFen{"4k3/8/8/8/8/8/8/R3K3 w K - 0 1", "castling"},
    BadFen{"4k3/8/8/8/8/8/8/R4K1R w KQ - 0 1", "castling"},
    BadFen{"4k3/8/8/8/8/8/8/r3K2R w Q - 0 1", "castling"},
    BadFen{"r3k3/8/8/8/8/8/8/4K3 w k - 0 1", "castling"},
    BadFen{"r2k3r/8/8/8/8/8/8/4K3 w q - 0 1", "castling"},
    BadFen{"4k3/8/8/8/8/8/8/R3K2R w KK - 0 1", "castling"},
    BadFen{"4k3/8/8/8/8/8/8/R3K2R w X - 0 1", "castling"},
    BadFen{"4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", "check"},
    BadFen{"4k3/8/8/8/8/8/3p4/4K3 b - - 0 1", "check"},
    BadFen{"4k3/8/8/8/8/8/8/4Kq2 b - - 0 1", "check"}));
// clang-format on

TEST(Fen, SideToMoveMayBeInCheck) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1"));
    EXPECT_TRUE(inCheck(BLACK));
}

TEST(SquareNames, BothWays) {
    EXPECT_EQ(squareName(A8), "a8");
    EXPECT_EQ(squareName(H1), "h1");
    EXPECT_EQ(squareName(65), "e4");
    EXPECT_EQ(squareName(0), "-");
    EXPECT_EQ(squareName(30), "-");
    EXPECT_EQ(squareName(NO_SQUARE), "-");
    for (int square = 0; square < BOARD_SIZE; ++square) {
        if (isPlayingSquare(square)) {
            EXPECT_EQ(parseSquare(squareName(square)), square);
        }
    }
    for (const char* bad : {"", "e", "i1", "a0", "a9", "E4", "e44", "-"})
        EXPECT_EQ(parseSquare(bad), NO_SQUARE) << bad;
}

}  // namespace
