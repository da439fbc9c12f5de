#include <atomic>
#include <new>

#include "app/selfplay.h"
#include "search_compare.h"

// Counts every allocation through operator new in this test program, so that a test can
// tell that the game itself allocates nothing.
static std::atomic<long> allocations{0};

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
// This replacement new takes its memory from malloc, so free is the matching release; the
// compiler cannot see that through the replacement.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TEST(Allocation, TheGameAllocatesNothingWhileItRuns) {
    SearchContext& context = test::fastSearcher().context;
    test::startGame();
    const long before = allocations.load();
    for (int ply = 0; ply < 12; ++ply) ASSERT_EQ(playPly(context).outcome, PlyOutcome::MOVED);
    EXPECT_EQ(allocations.load(), before);
    // Reading a FEN may allocate; playing on from it, through the fifty-move rule, may not.
    ASSERT_TRUE(test::loadFen("7k/8/8/8/8/8/8/K6B w - - 90 1"));
    const long afterFen = allocations.load();
    while (playPly(context).outcome == PlyOutcome::MOVED) {
    }
    EXPECT_EQ(allocations.load(), afterFen);
}
