// The published perft counts, one row per position: the default run checks the depths
// below slowFrom, the slow-labelled run the deeper ones.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/perft.h"

namespace test {

struct PerftCase {
    const char* name;
    const char* fen;
    std::vector<uint64_t> counts;  // depth 1, 2, ...
    int slowFrom;                  // the first depth left to the slow run
};

// Counts the moves depth plies deep on the threads, summing the per-move counts.
inline uint64_t dividedTotal(int depth, int threads) {
    RootCount counts[MAX_MOVES];
    uint64_t total = 0;
    for (int k = 0, n = dividePerft(depth, threads, counts); k < n; ++k) total += counts[k].count;
    return total;
}

inline void PrintTo(const PerftCase& c, std::ostream* out) { *out << c.fen; }

inline std::string perftCaseName(const testing::TestParamInfo<PerftCase>& param) {
    return param.param.name;
}

// clang-format off
inline const PerftCase PERFT_CASES[] = {
    {"StartPosition", START_FEN, {20, 400, 8902, 197281, 4865609, 119060324}, 5},
    {"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
     {48, 2039, 97862, 4085603, 193690690}, 4},
    {"RookEndgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
     {14, 191, 2812, 43238, 674624, 11030083}, 5},
    {"PromotionsAndPins", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     {6, 264, 9467, 422333, 15833292, 706045033}, 4},
    {"PromotionWithCheck", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
     {44, 1486, 62379, 2103487, 89941194}, 4},
    {"SymmetricMiddlegame",
     "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
     {46, 2079, 89890, 3894594, 164075551}, 4},
    {"MostMoves", "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1", {218}, 2},
};
// clang-format on
}  // namespace test
