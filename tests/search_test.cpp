// The straightforward search, and the fast search beside it: material scores from the mover's side,
// mate scores by the history count, stalemate and the fifty-move rule, the first of equal moves,
// and the position left as found.

#include "search/search.h"
#include "core/notation.h"
#include "search/timeman.h"
#include "tests/search_compare.h"

namespace {
struct SearchCase {
    const char* fen;
    int historyCount;
    int depth;
    int score;
    const char* move;
    uint64_t calls;  // 0: not checked
};
void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.fen << " depth " << c.depth; }
class Search : public ::testing::TestWithParam<SearchCase> {};
TEST_P(Search, ScoreAndMove) {
    const SearchCase& c = GetParam();
    ASSERT_TRUE(test::loadFen(c.fen));
    pos.historyCount = c.historyCount;
    const Position before = pos;
    bestMove = NO_MOVE;
    searchAtPly(-SCORE_LIMIT, SCORE_LIMIT, 1, 1);
    EXPECT_EQ(bestMove, NO_MOVE) << "only the top-level call chooses";
    searchCalls = 0;
    EXPECT_EQ(search(-SCORE_LIMIT, SCORE_LIMIT, c.depth), c.score);
    EXPECT_EQ(coordinateName(bestMove), c.move);
    if (c.calls != 0) {
        EXPECT_EQ(searchCalls, c.calls);
    }
    EXPECT_TRUE(test::sameAfterSearch(before));
    if (c.depth == 0) return;
    pos = before;
    EXPECT_EQ(test::fastSearch(c.depth), c.score) << "fast search";
    EXPECT_EQ(coordinateName(bestMove), c.move) << "fast search";
}

constexpr const char* MATED = "7k/6Q1/6K1/8/8/8/8/8 b - - 0 1";
constexpr const char* MATE_IN_ONE = "7k/5Q2/5K2/8/8/8/8/8 w - - 0 1";
constexpr const char* FIFTY = "7k/8/8/8/8/8/8/K5Q1 w - - 99 1";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Straightforward, Search, ::testing::Values(
    SearchCase{START_FEN, 0, ROOT_DEPTH, -1, "a2a3", 710312},
    SearchCase{"r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0, 0, 3, "0000", 1},
    SearchCase{"r1bqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1", 0, 0, -3, "0000", 1},
    SearchCase{"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", 0, 0, -5, "0000", 1},
    SearchCase{MATED, 0, 3, -SCORE_LIMIT, "0000", 0},
    SearchCase{MATED, 3, 3, 3 - SCORE_LIMIT, "0000", 0},
    SearchCase{"7k/8/6QK/8/8/8/8/8 b - - 0 1", 0, 3, 0, "0000", 0},
    SearchCase{MATE_IN_ONE, 0, 2, SCORE_LIMIT - 1, "f7g7", 0},
    SearchCase{MATE_IN_ONE, 10, 2, SCORE_LIMIT - 11, "f7g7", 0},
    // The history holds 1200 entries; past them the mate score stops growing.
    SearchCase{MATE_IN_ONE, 1199, 2, SCORE_LIMIT - 1200, "f7g7", 0},
    SearchCase{FIFTY, 0, 1, 9, "a1a2", 0},
    SearchCase{FIFTY, 0, 2, 0, "a1a2", 0},
    SearchCase{"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 0, 3, 3,
               "e2a6", 0},
    // Behind in material, White stalemates Black, whose pawns are blocked.
    SearchCase{"7k/8/5KP1/8/p1p5/p1p5/P1P5/8 w - - 0 1", 0, 2, 0, "f6f7", 0}));
// clang-format on
// Moves to mate at the edges of what a search returns: near the top, near a full history.
TEST(MateMoves, FromScoreAndHistoryCount) {
    constexpr int L = SCORE_LIMIT, H = HISTORY_SIZE;
    const int rows[][3] = {{L - 1, 0, 1},          {L - 3, 0, 2},         {2 - L, 0, -1},
                           {4 - L, 0, -2},         {-L, 0, -1},           {L - 14, 10, 2},
                           {L - H, H - 1, 1},      {H - L, H, -1},        {L - H, 0, 600},
                           {MATE_RANGE - 1, 0, 0}, {1 - MATE_RANGE, H, 0}};
    for (const auto& [score, history, moves] : rows) EXPECT_EQ(mateMovesOf(score, history), moves);
}
// One move's time: its share of the clock and three quarters of the increment, at most a
// third of the clock (all of it with one move to go), or the fixed time less the overhead.
TEST(MoveTime, PlansTheBudget) {
    // clang-format off
    const std::pair<MoveClock, std::pair<int64_t, int64_t>> cases[] = {
        {{60000, 0, 40, NO_TIME_LIMIT, 0}, {1500, 6000}},
        {{30100, 1000, 0, NO_TIME_LIMIT, 100}, {1750, 7000}},
        {{3000, 0, 1, NO_TIME_LIMIT, 0}, {3000, 3000}}, {{3000, 3000, 0, NO_TIME_LIMIT, 0}, {1000, 1000}},
        {{NO_TIME_LIMIT, 0, 0, 500, 30}, {NO_TIME_LIMIT, 470}}, {{NO_TIME_LIMIT, 0, 0, 20, 30}, {NO_TIME_LIMIT, 1}}};
    // clang-format on
    for (const auto& [clock, limits] : cases) {
        const TimeBudget budget = planMoveTime(clock);
        EXPECT_EQ(std::make_pair(budget.soft, budget.hard), limits) << clock.timeLeft;
    }
    // Another depth starts only before half the budget, when the last two foretell that it
    // ends in time: the next taking their ratio times the last, from 2 to 16 times.
    const TimeBudget budget{900, 3600};
    EXPECT_TRUE(worthAnotherDepth(budget, 100, 50, 1));     // 100 + 16 * 50 = 900
    EXPECT_FALSE(worthAnotherDepth(budget, 101, 50, 1));    // 901
    EXPECT_FALSE(worthAnotherDepth(budget, 450, 1, 1));     // half the budget is spent
    EXPECT_TRUE(worthAnotherDepth(budget, 449, 1, 1));      // 449 + 2
    EXPECT_TRUE(worthAnotherDepth(budget, 400, 250, 250));  // 400 + 2 * 250 = 900
    EXPECT_FALSE(worthAnotherDepth({100, 400}, 40, 8, 1));  // 40 + 8 * 8 > 100
}
}  // namespace
