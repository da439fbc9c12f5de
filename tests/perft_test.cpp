#include <gtest/gtest.h>

#include <string>

#include "core/fen.h"
#include "core/perft.h"
#include "core/position.h"

namespace {
uint64_t perftFrom(const char* fen, int depth) {
    std::string error;
    EXPECT_TRUE(readFen(fen, error)) << error;
    return perft(depth);
}
}  // namespace

TEST(Perft, StartPosition) {
    EXPECT_EQ(perftFrom(START_FEN, 1), 20u);
    EXPECT_EQ(perftFrom(START_FEN, 2), 400u);
    EXPECT_EQ(perftFrom(START_FEN, 3), 8902u);
    EXPECT_EQ(perftFrom(START_FEN, 4), 197281u);
}

TEST(Perft, Kiwipete) {
    const char* fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
    EXPECT_EQ(perftFrom(fen, 1), 48u);
    EXPECT_EQ(perftFrom(fen, 2), 2039u);
    EXPECT_EQ(perftFrom(fen, 3), 97862u);
}
