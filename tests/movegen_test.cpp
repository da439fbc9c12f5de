// Move generation: the exact order of the pseudo-legal list, promotions, castling and
// en-passant entries, and the list's capacity.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/movegen.h"
#include "core/perft.h"
#include "tests/test_util.h"

namespace {

// "e2e4:10" style: squares, promotion letter, flags in hex.
std::string moveText(Move m) {
    char flags[8];
    std::snprintf(flags, sizeof flags, ":%02x", static_cast<unsigned>(moveFlags(m)));
    std::string text = squareName(moveFrom(m)) + squareName(moveTo(m));
    if (movePromotion(m) != 0) text += " pnbrq"[movePromotion(m)];
    return text + flags;
}

std::vector<std::string> generatedList() {
    std::vector<std::string> texts;
    for (Move m : test::generate()) texts.push_back(moveText(m));
    return texts;
}

std::vector<std::string> promotions(const std::string& squares, const char* flags) {
    std::vector<std::string> texts;
    for (char piece : std::string("nbrq")) texts.push_back(squares + piece + flags);
    return texts;
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(GenerationOrder, StartingPosition) {
    test::startGame();
    std::vector<std::string> expected;
    for (char file = 'a'; file <= 'h'; ++file) {
        const std::string from = std::string(1, file) + "2";
        expected.push_back(from + file + "3:10");
        expected.push_back(from + file + "4:18");
    }
    for (const char* knight : {"b1a3:00", "b1c3:00", "g1f3:00", "g1h3:00"})
        expected.push_back(knight);
    expected.push_back("e1g1:02");
    expected.push_back("e1c1:02");
    EXPECT_EQ(generatedList(), expected);

    // The exact encoding of one entry: from, to, promotion, flags from the lowest byte up.
    EXPECT_EQ(test::generate()[0], 0x10004751u);
}

// Pieces by ascending square; each direction in table order; a ray stops at the first
// piece, taking it when it is the opponent's.
TEST(GenerationOrder, RookPawnBishopKing) {
    ASSERT_TRUE(test::loadFen("7k/8/8/3p4/3R4/8/1P6/2B4K w - - 0 1"));
    const std::vector<std::string> expected = {
        "d4d5:01", "d4c4:00", "d4b4:00", "d4a4:00", "d4e4:00", "d4f4:00", "d4g4:00",
        "d4h4:00", "d4d3:00", "d4d2:00", "d4d1:00", "b2b3:10", "b2b4:18", "c1d2:00",
        "c1e3:00", "c1f4:00", "c1g5:00", "c1h6:00", "h1g2:00", "h1h2:00", "h1g1:00",
    };
    EXPECT_EQ(generatedList(), expected);
}

TEST(GenerationOrder, QueenDirectionsAndKnightJumps) {
    ASSERT_TRUE(test::loadFen("7k/8/8/3nnn2/3nQn2/3nnn2/8/K7 w - - 0 1"));
    EXPECT_EQ(generatedList(), (std::vector<std::string>{"e4d5:01", "e4e5:01", "e4f5:01", "e4d4:01",
                                                         "e4f4:01", "e4d3:01", "e4e3:01", "e4f3:01",
                                                         "a1a2:00", "a1b2:00", "a1b1:00"}));

    ASSERT_TRUE(test::loadFen("7k/8/8/8/3N4/8/8/K7 w - - 0 1"));
    EXPECT_EQ(generatedList(), (std::vector<std::string>{"d4c6:00", "d4e6:00", "d4b5:00", "d4f5:00",
                                                         "d4b3:00", "d4f3:00", "d4c2:00", "d4e2:00",
                                                         "a1a2:00", "a1b2:00", "a1b1:00"}));
}

TEST(Promotions, WhiteCapturesLeftThenRightThenTheStep) {
    ASSERT_TRUE(test::loadFen("n1n1k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    const std::vector<std::string> expected =
        concat({promotions("b7a8", ":31"),
                promotions("b7c8", ":31"),
                promotions("b7b8", ":30"),
                {"e1d2:00", "e1e2:00", "e1f2:00", "e1d1:00", "e1f1:00"}});
    EXPECT_EQ(generatedList(), expected);
}

TEST(Promotions, BlackPawnOntoTheFirstRank) {
    ASSERT_TRUE(test::loadFen("7k/8/8/8/8/8/2p5/1N1N3K b - - 0 1"));
    const std::vector<std::string> expected = concat({{"h8g8:00", "h8g7:00", "h8h7:00"},
                                                      promotions("c2b1", ":31"),
                                                      promotions("c2d1", ":31"),
                                                      promotions("c2c1", ":30")});
    EXPECT_EQ(generatedList(), expected);
}

// After 1. e4 a6 2. e5 d5 White may take en passant on d6.
TEST(EnPassant, EntryComesLastAfterTheCastlingEntries) {
    test::startGame();
    for (const char* move : {"e2e4", "a7a6", "e4e5", "d7d5"}) ASSERT_TRUE(test::play(move));
    EXPECT_EQ(pos.epSquare, 44);
    const std::vector<Move> list = test::generate();
    ASSERT_EQ(list.size(), 33u);
    EXPECT_EQ(list[30], makeMoveCode(95, 97, 0, MF_CASTLE));
    EXPECT_EQ(list[31], makeMoveCode(95, 93, 0, MF_CASTLE));
    EXPECT_EQ(list[32], makeMoveCode(55, 44, 0, 0x15));

    ASSERT_TRUE(makeMove(list[32]));
    EXPECT_EQ(pos.board[44], PAWN);
    EXPECT_EQ(pos.board[55], EMPTY);
    EXPECT_EQ(pos.board[54], EMPTY);
    EXPECT_EQ(pos.epSquare, NO_SQUARE);
}

TEST(EnPassant, TwoCapturersInFixedOrder) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1"));
    std::vector<std::string> list = generatedList();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[list.size() - 2], "c5d6:15");
    EXPECT_EQ(list[list.size() - 1], "e5d6:15");

    ASSERT_TRUE(test::loadFen("4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1"));
    list = generatedList();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[list.size() - 2], "d4e3:15");
    EXPECT_EQ(list[list.size() - 1], "f4e3:15");
}

TEST(EnPassant, NoEntryWithoutAnEnPassantSquare) {
    ASSERT_TRUE(test::loadFen("4k3/8/8/2PpP3/8/8/8/4K3 w - - 0 1"));
    for (Move m : test::generate()) EXPECT_FALSE(hasFlag(m, MF_EN_PASSANT)) << moveText(m);
    ASSERT_TRUE(test::loadFen("4k3/8/8/8/3pPp2/8/8/4K3 b - - 0 1"));
    for (Move m : test::generate()) EXPECT_FALSE(hasFlag(m, MF_EN_PASSANT)) << moveText(m);
}

// Eight queens and more: 218 moves, every one of them legal.
TEST(MoveListCapacity, KeepsEveryMoveOfACrowdedPosition) {
    ASSERT_TRUE(test::loadFen("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1"));
    const std::vector<Move> list = test::generate();
    EXPECT_EQ(list.size(), 218u);
    EXPECT_EQ(moveText(list.back()), "g1h2:00");
    EXPECT_EQ(perft(1), 218u);
}

TEST(MoveListCapacity, FullListStopsGrowingSilently) {
    test::startGame();
    MoveList list{};
    list.count = MAX_MOVES - 2;
    addMove(list, 31, 21, MF_PAWN);  // a7-a8: four promotions, room for two
    EXPECT_EQ(list.count, MAX_MOVES);
    EXPECT_EQ(list.moves[MAX_MOVES - 2], makeMoveCode(31, 21, KNIGHT, 0x30));
    EXPECT_EQ(list.moves[MAX_MOVES - 1], makeMoveCode(31, 21, BISHOP, 0x30));
    addMove(list, 92, 71, 0);
    EXPECT_EQ(list.count, MAX_MOVES);
    EXPECT_EQ(list.moves[MAX_MOVES - 1], makeMoveCode(31, 21, BISHOP, 0x30));
}

}  // namespace
