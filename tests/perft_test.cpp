// Counting move sequences: the published counts prove that exactly the legal moves of
// chess are accepted, and the counts that skip playing the last ply, alone or on
// several threads, must equal the count that makes every move.

#include "core/perft.h"
#include "tests/perft_cases.h"
#include "tests/test_util.h"

namespace {
constexpr int THREADS = 3;  // more threads than cores, and an odd share

class Perft : public ::testing::TestWithParam<test::PerftCase> {};
TEST_P(Perft, PublishedCounts) {
    const test::PerftCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.fen));
    const Position before = pos;
    for (int depth = 1; depth < c.slowFrom && depth <= static_cast<int>(c.counts.size()); ++depth) {
        const uint64_t expected = c.counts[depth - 1];
        EXPECT_EQ(perft(depth), expected) << "depth " << depth;
        EXPECT_EQ(fastPerft(depth), expected) << "depth " << depth;
        EXPECT_EQ(test::dividedTotal(depth, THREADS), expected) << "depth " << depth;
    }
    EXPECT_TRUE(test::sameAfterSearch(before)) << "every move tried is taken back";
}

INSTANTIATE_TEST_SUITE_P(Rules, Perft, ::testing::ValuesIn(test::PERFT_CASES), test::perftCaseName);

// En passant open where the count skips playing: the counter tries it and puts the pawn back.
TEST(Perft, EnPassantTriedOnTheBoardPutsThePawnBack) {
    for (const char* fen :
         {"4k3/8/8/3pP3/8/8/8/3QK3 w - d6 0 1", "3qk3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1"}) {
        ASSERT_TRUE(test::loadFen(fen));
        const Position before = pos;
        EXPECT_EQ(fastPerft(1), perft(1)) << fen;
        EXPECT_TRUE(test::sameAfterSearch(before)) << fen;
    }
}

// Positions from random games: on every tenth, the three counts three plies deep agree,
// one thread or several.
TEST(Perft, AgreesWithMakingEveryMoveOnRandomPlayouts) {
    int compared = 0;
    test::randomPlayouts(11, 6, 120, [&](Move) {
        if (pos.historyCount % 10 != 0) return;
        const Position before = pos;
        const uint64_t reference = perft(3);
        pos = before;
        EXPECT_EQ(fastPerft(3), reference);
        EXPECT_EQ(test::dividedTotal(3, 1), reference);
        EXPECT_EQ(test::dividedTotal(3, THREADS), reference);
        pos = before;
        ++compared;
    });
    EXPECT_GE(compared, 30);
}
}  // namespace
