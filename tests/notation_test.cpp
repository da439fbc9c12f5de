#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/notation.h"
#include "core/position.h"
#include "core/rules.h"

namespace {

::testing::AssertionResult setUp(const char* fen) {
    std::string error;
    if (readFen(fen, error)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "readFen refused \"" << fen << "\": " << error;
}

// Returns the SAN of the legal move that the coordinate text names.
std::string san(const char* coordinate) {
    const Move move = parseCoordinateMove(coordinate);
    if (move == NO_MOVE) return std::string("<no legal move ") + coordinate + ">";
    return sanName(move);
}

std::vector<std::string> allSan() {
    MoveList legal;
    generateLegalMoves(legal);
    std::vector<std::string> names;
    for (int k = 0; k < legal.count; ++k) names.push_back(sanName(legal.moves[k]));
    return names;
}

bool samePosition(const Position& a, const Position& b) {
    return std::equal(a.board, a.board + BOARD_SIZE, b.board) && a.side == b.side &&
           a.castling == b.castling && a.epSquare == b.epSquare &&
           a.halfmoveClock == b.halfmoveClock && a.historyCount == b.historyCount &&
           a.hash == b.hash;
}

}  // namespace

TEST(Notation, StartPositionSan) {
    ASSERT_TRUE(setUp(START_FEN));
    const std::vector<std::string> expected = {
        "a3", "a4", "b3", "b4", "c3", "c4", "d3",  "d4",  "e3",  "e4",
        "f3", "f4", "g3", "g4", "h3", "h4", "Na3", "Nc3", "Nf3", "Nh3",
    };
    EXPECT_EQ(allSan(), expected);
}

TEST(Notation, CoordinateNames) {
    ASSERT_TRUE(setUp(START_FEN));
    EXPECT_EQ(coordinateName(parseCoordinateMove("e2e4")), "e2e4");
    EXPECT_EQ(coordinateName(parseCoordinateMove("g1f3")), "g1f3");
    EXPECT_EQ(coordinateName(NO_MOVE), "0000");
    ASSERT_TRUE(setUp("4k3/1P6/8/8/8/8/8/4K2R w K - 0 1"));
    EXPECT_EQ(coordinateName(parseCoordinateMove("b7b8q")), "b7b8q");
    EXPECT_EQ(coordinateName(parseCoordinateMove("b7b8n")), "b7b8n");
    EXPECT_EQ(coordinateName(parseCoordinateMove("e1g1")), "e1g1");
}

TEST(Notation, CoordinateParseRefusesMalformedAndIllegalText) {
    ASSERT_TRUE(setUp(START_FEN));
    for (const char* text : {"", "e2", "e2e", "e2e44", "e2e9", "i2i4", "E2E4", "e2-e4", "e2e4 ",
                             "e2e5", "e7e5", "e1g1", "a1a3", "e2e4q", "0000"}) {
        EXPECT_EQ(parseCoordinateMove(text), NO_MOVE) << text;
    }
    ASSERT_TRUE(setUp("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    EXPECT_EQ(parseCoordinateMove("b7b8"), NO_MOVE) << "a promotion needs its letter";
    EXPECT_EQ(parseCoordinateMove("b7b8k"), NO_MOVE);
    EXPECT_EQ(parseCoordinateMove("b7b8p"), NO_MOVE);
    EXPECT_EQ(parseCoordinateMove("b7b8Q"), NO_MOVE);
    EXPECT_NE(parseCoordinateMove("b7b8r"), NO_MOVE);
}

TEST(Notation, CoordinateParseRefusesMovesIntoCheck) {
    ASSERT_TRUE(setUp("4k3/8/8/8/8/8/4r3/4K3 w - - 0 1"));
    EXPECT_EQ(parseCoordinateMove("e1f2"), NO_MOVE);
    EXPECT_NE(parseCoordinateMove("e1e2"), NO_MOVE);
    EXPECT_NE(parseCoordinateMove("e1f1"), NO_MOVE);
}

TEST(Notation, DisambiguationByFile) {
    ASSERT_TRUE(setUp("k7/8/8/8/7K/2N3N1/8/8 w - - 0 1"));
    EXPECT_EQ(san("c3e4"), "Nce4");
    EXPECT_EQ(san("g3e4"), "Nge4");
    EXPECT_EQ(san("c3e2"), "Nce2");
    EXPECT_EQ(san("c3a4"), "Na4");
}

TEST(Notation, DisambiguationByRank) {
    ASSERT_TRUE(setUp("7k/8/8/R7/8/8/8/R3K3 w - - 0 1"));
    EXPECT_EQ(san("a1a3"), "R1a3");
    EXPECT_EQ(san("a5a3"), "R5a3");
    EXPECT_EQ(san("a1b1"), "Rb1");
}

TEST(Notation, DisambiguationBySquare) {
    ASSERT_TRUE(setUp("8/8/k7/8/4Q2Q/8/8/K6Q w - - 0 1"));
    EXPECT_EQ(san("h4e1"), "Qh4e1");
    EXPECT_EQ(san("e4e1"), "Qee1");
    EXPECT_EQ(san("h1e1"), "Q1e1");
}

TEST(Notation, DisambiguationCountsLegalMovesOnly) {
    // The g3 knight is pinned against the king on h4 by the bishop on f2.
    ASSERT_TRUE(setUp("k7/8/8/8/7K/2N3N1/5b2/8 w - - 0 1"));
    EXPECT_EQ(san("c3e4"), "Ne4");
    EXPECT_EQ(san("c3e2"), "Ne2");
    EXPECT_EQ(parseCoordinateMove("g3e4"), NO_MOVE);
}

TEST(Notation, PawnsNeedNoDisambiguation) {
    ASSERT_TRUE(setUp("4k3/8/8/2p5/1P1P4/8/8/4K3 w - - 0 1"));
    EXPECT_EQ(san("b4c5"), "bxc5");
    EXPECT_EQ(san("d4c5"), "dxc5");
    EXPECT_EQ(san("b4b5"), "b5");
}

TEST(Notation, CapturesAndEnPassant) {
    ASSERT_TRUE(setUp("4k3/8/8/3pP3/8/8/8/R3K3 w - d6 0 1"));
    EXPECT_EQ(san("e5d6"), "exd6");
    EXPECT_EQ(san("a1a8"), "Ra8+");
    ASSERT_TRUE(setUp("4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1"));
    const Move push = parseCoordinateMove("e2e4");
    ASSERT_NE(push, NO_MOVE);
    ASSERT_TRUE(makeMove(push));
    EXPECT_EQ(san("d4e3"), "dxe3");
}

TEST(Notation, Promotions) {
    ASSERT_TRUE(setUp("3rk3/2P5/8/8/8/8/8/4K3 w - - 0 1"));
    EXPECT_EQ(san("c7c8q"), "c8=Q") << "the rook on d8 stands between";
    EXPECT_EQ(san("c7c8n"), "c8=N");
    EXPECT_EQ(san("c7d8q"), "cxd8=Q+");
    EXPECT_EQ(san("c7d8r"), "cxd8=R+");
    EXPECT_EQ(san("c7d8b"), "cxd8=B");
    ASSERT_TRUE(setUp("4k3/8/8/8/8/8/p7/4K3 b - - 0 1"));
    EXPECT_EQ(san("a2a1q"), "a1=Q+");
}

TEST(Notation, Castling) {
    ASSERT_TRUE(setUp("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
    EXPECT_EQ(san("e1g1"), "O-O");
    EXPECT_EQ(san("e1c1"), "O-O-O");
    ASSERT_TRUE(setUp("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"));
    EXPECT_EQ(san("e8g8"), "O-O");
    EXPECT_EQ(san("e8c8"), "O-O-O");
    ASSERT_TRUE(setUp("8/8/8/5k2/8/8/8/4K2R w K - 0 1"));
    EXPECT_EQ(san("e1g1"), "O-O+");
    ASSERT_TRUE(setUp("4k3/8/8/8/8/8/8/4K2R w K - 0 1"));
    EXPECT_EQ(san("h1h8"), "Rh8+");
}

TEST(Notation, CheckAndMateSuffixes) {
    ASSERT_TRUE(setUp("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"));
    EXPECT_EQ(san("a1a8"), "Ra8#");
    EXPECT_EQ(san("a1a7"), "Ra7");
    ASSERT_TRUE(setUp("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4"));
    EXPECT_EQ(san("h5f7"), "Qxf7#");
    EXPECT_EQ(san("c4f7"), "Bxf7+");
    ASSERT_TRUE(setUp("6k1/8/6K1/8/8/8/8/1Q6 w - - 0 1"));
    EXPECT_EQ(san("b1b8"), "Qb8#");
    EXPECT_EQ(san("b1g1"), "Qg1");
}

TEST(Notation, SanOfEveryMoveIsUniqueInBusyPositions) {
    for (const char* fen : {
             "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
             "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
             "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1",
         }) {
        ASSERT_TRUE(setUp(fen));
        const std::vector<std::string> names = allSan();
        const std::set<std::string> distinct(names.begin(), names.end());
        EXPECT_EQ(distinct.size(), names.size()) << fen;
    }
}

TEST(Notation, NamingLeavesThePositionAlone) {
    ASSERT_TRUE(setUp("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"));
    const Position before = pos;
    allSan();
    parseCoordinateMove("e1g1");
    EXPECT_TRUE(samePosition(before, pos));
}
