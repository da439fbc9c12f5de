// Slow tests: the deep published counts, shared among threads.
#include <gtest/gtest.h>

#include <thread>

#include "core/perft.h"
#include "tests/perft_cases.h"
#include "tests/test_util.h"

namespace {

class SlowPerft : public ::testing::TestWithParam<test::PerftCase> {};

TEST_P(SlowPerft, PublishedCounts) {
    const test::PerftCase& c = GetParam();
    const int threads = std::max(2, static_cast<int>(std::thread::hardware_concurrency()));
    for (int depth = c.slowFrom; depth <= static_cast<int>(c.counts.size()); ++depth) {
        ASSERT_TRUE(test::loadFen(c.fen));
        RootCount counts[MAX_MOVES];
        const int n = dividePerft(depth, threads, counts);
        uint64_t total = 0;
        for (int k = 0; k < n; ++k) total += counts[k].count;
        EXPECT_EQ(total, c.counts[depth - 1]) << "depth " << depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, SlowPerft, ::testing::ValuesIn(test::PERFT_CASES),
                         test::perftCaseName);

// The reference count, which makes every move, agrees with the published one five plies
// deep.
TEST(SlowPerft, MakingEveryMoveFromTheStart) {
    ASSERT_TRUE(test::loadFen(START_FEN));
    EXPECT_EQ(perft(5), 4865609u);
}

}  // namespace
