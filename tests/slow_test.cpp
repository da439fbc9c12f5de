// Slow tests: the recorded game replayed with the straightforward search, and the deep
// published counts.
#include <thread>

#include "tests/perft_cases.h"
#include "tests/search_compare.h"

namespace {
// The recorded game: per ply the move played and what the straightforward search cost.
struct RecordedPly {
    Move move;
    unsigned long long searchCalls;
};

std::vector<RecordedPly> recordedGame() {
    std::istringstream in(test::readTestData("game_moves.txt"));
    std::vector<RecordedPly> plies;
    int ply = 0, outcome = 0;
    std::string move;
    for (unsigned long long calls = 0; in >> ply >> move >> outcome >> calls;) {
        plies.push_back({static_cast<Move>(std::stoul(move, nullptr, 16)), calls});
    }
    return plies;
}

// Replays the recorded game with the straightforward search wherever it is affordable and
// over the first 30 plies: the same moves, the same calls, and the fast search's scores.
TEST(SlowGame, StraightforwardSearchChoosesTheRecordedMoves) {
    const std::vector<RecordedPly> game = recordedGame();
    ASSERT_EQ(game.size(), 106u);
    constexpr unsigned long long AFFORDABLE_CALLS = 3000000;
    constexpr size_t ALWAYS_COMPARED_PLIES = 30;
    test::startGame();
    int compared = 0;
    for (size_t k = 0; k < game.size(); ++k) {
        const bool compare = game[k].searchCalls < AFFORDABLE_CALLS || k < ALWAYS_COMPARED_PLIES;
        const Position before = pos;
        int expectedScore = 0;
        if (compare) {
            bestMove = NO_MOVE;
            searchCalls = 0;
            expectedScore = search(-SCORE_LIMIT, SCORE_LIMIT, ROOT_DEPTH);
            EXPECT_EQ(coordinateName(bestMove), coordinateName(game[k].move)) << "ply " << k + 1;
            EXPECT_EQ(searchCalls, game[k].searchCalls) << "ply " << k + 1;
            pos = before;
            ++compared;
        }
        const int score = test::fastSearch(ROOT_DEPTH);
        if (compare) {
            EXPECT_EQ(score, expectedScore) << "ply " << k + 1;
        }
        ASSERT_EQ(coordinateName(bestMove), coordinateName(game[k].move)) << "ply " << k + 1;
        ASSERT_TRUE(makeMove(bestMove));
    }
    EXPECT_GE(compared, 60);
}

TEST(SlowGame, FastAndStraightforwardAgreeOnRandomPlayouts) {
    EXPECT_GE(test::compareOnPlayouts(20261206, 12, 60, 3, 5), 200);
}

// The deep published counts, shared among threads.
class SlowPerft : public ::testing::TestWithParam<test::PerftCase> {};
TEST_P(SlowPerft, PublishedCounts) {
    const test::PerftCase& c = GetParam();
    const int threads = std::max(2, static_cast<int>(std::thread::hardware_concurrency()));
    for (int depth = c.slowFrom; depth <= static_cast<int>(c.counts.size()); ++depth) {
        ASSERT_TRUE(test::loadFen(c.fen));
        EXPECT_EQ(test::dividedTotal(depth, threads), c.counts[depth - 1]) << "depth " << depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, SlowPerft, ::testing::ValuesIn(test::PERFT_CASES),
                         test::perftCaseName);

}  // namespace
