// Slow tests: deep move counts.
#include <gtest/gtest.h>

#include "core/perft.h"
#include "tests/test_util.h"

namespace {

uint64_t perftFrom(const char* fen, int depth) {
    std::string error;
    EXPECT_TRUE(readFen(fen, error)) << error;
    return perft(depth);
}

TEST(SlowPerft, StartPositionDepth5) { EXPECT_EQ(perftFrom(START_FEN, 5), 4865609u); }

TEST(SlowPerft, KiwipeteDepth4) {
    EXPECT_EQ(perftFrom("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 4),
              4085603u);
}

TEST(SlowPerft, RookEndgameDepth5) {
    EXPECT_EQ(perftFrom("8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 5), 674624u);
}

TEST(SlowPerft, PromotionsAndPinsDepth4) {
    EXPECT_EQ(perftFrom("r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 4),
              422333u);
}

TEST(SlowPerft, PromotionWithCheckDepth4) {
    EXPECT_EQ(perftFrom("rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 4), 2103487u);
}

}  // namespace
