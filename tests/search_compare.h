// Differential checks of the fast search against the straightforward one.
#pragma once

#include "search/fastsearch.h"
#include "search/search.h"
#include "test_util.h"

namespace test {

// The fast search of the test program: one context with a table of its own.
inline SearchWithTable& fastSearcher() {
    static SearchWithTable searcher;
    if (searcher.table.size == 0) setUpSearch(searcher);
    return searcher;
}

// Searches the current position with the test program's fast search.
inline int fastSearch(int depth) { return ::fastSearch(fastSearcher().context, depth); }

inline void clearSearchTable() { clearTable(fastSearcher().table); }

// Compares both searches on the current position and checks that each leaves it as found.
inline ::testing::AssertionResult sameChoice(int depth) {
    const Position before = pos;
    bestMove = NO_MOVE;
    const int expected = search(-SCORE_LIMIT, SCORE_LIMIT, depth);
    const Move expectedMove = bestMove;
    ::testing::AssertionResult restored = test::sameAfterSearch(before);
    if (!restored) return restored << " after search";
    const int actual = test::fastSearch(depth);
    if (!(restored = test::sameAfterSearch(before))) return restored << " after fastSearch";
    if (expected == actual && expectedMove == bestMove) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << writeFen() << " (history " << pos.historyCount << ") depth " << depth
           << ": search gives " << expected << " " << coordinateName(expectedMove)
           << ", fastSearch " << actual << " " << coordinateName(bestMove);
}

// What a comparison row changes in each position before both searches: a halfmove clock
// and a history count drawn from these ranges, where the range is not empty.
struct Conditions {
    int lowestClock = 0;
    int highestClock = -1;
    int lowestHistory = 0;
    int highestHistory = -1;
};

// Compares both searches on every third position of seeded random playouts, at depths
// from lowest to highest in turn, keeping the table in between; returns the count.
inline int compareOnPlayouts(unsigned seed, int games, int plies, int lowest, int highest,
                             const Conditions& conditions = {}) {
    clearSearchTable();
    std::mt19937 random(seed);
    auto draw = [&random](int low, int high, int kept) {
        return low > high ? kept : std::uniform_int_distribution<int>(low, high)(random);
    };
    int compared = 0;
    int ply = 0;
    randomPlayouts(seed, games, plies, [&](Move) {
        if (++ply % 3 != 0) return;
        const Position played = pos;
        pos.halfmoveClock =
            draw(conditions.lowestClock, conditions.highestClock, pos.halfmoveClock);
        pos.historyCount =
            draw(conditions.lowestHistory, conditions.highestHistory, pos.historyCount);
        const int depth = lowest + (ply / 3) % (highest - lowest + 1);
        EXPECT_TRUE(sameChoice(depth));
        ++compared;
        pos = played;
    });
    return compared;
}
}  // namespace test
