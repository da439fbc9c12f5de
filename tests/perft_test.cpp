// Counting the move sequences makeMove accepts: the published counts prove that exactly
// the legal moves of chess are accepted. Deeper counts are in the slow tests.
#include <gtest/gtest.h>

#include "core/perft.h"
#include "tests/test_util.h"

namespace {

struct PerftCase {
    const char* name;
    const char* fen;
    std::vector<uint64_t> counts;  // depth 1, 2, ...
};

void PrintTo(const PerftCase& c, std::ostream* out) { *out << c.name; }

class Perft : public ::testing::TestWithParam<PerftCase> {};

TEST_P(Perft, PublishedCounts) {
    const PerftCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.fen));
    const Position before = pos;
    for (size_t depth = 1; depth <= c.counts.size(); ++depth) {
        EXPECT_EQ(perft(static_cast<int>(depth)), c.counts[depth - 1]) << "depth " << depth;
    }
    // Every move tried is taken back: the position is as it was, apart from the history
    // slots written beyond the count and the hash of the last move tried.
    Position expected = before;
    expected.hash = pos.hash;
    std::copy(pos.history, pos.history + HISTORY_SIZE, expected.history);
    EXPECT_TRUE(test::samePosition(expected, pos));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, Perft, ::testing::Values(
    PerftCase{"StartPosition", START_FEN, {20, 400, 8902, 197281}},
    PerftCase{"Kiwipete",
              "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
              {48, 2039, 97862}},
    PerftCase{"RookEndgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
              {14, 191, 2812, 43238}},
    PerftCase{"PromotionsAndPins",
              "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
              {6, 264, 9467}},
    PerftCase{"PromotionWithCheck",
              "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
              {44, 1486, 62379}},
    PerftCase{"SymmetricMiddlegame",
              "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
              {46, 2079, 89890}}),
    [](const ::testing::TestParamInfo<PerftCase>& param) { return std::string(param.param.name); });
// clang-format on

}  // namespace
