#include <memory>
#include <thread>
#include <tuple>

#include "search/iterate.h"
#include "search/provenance.h"
#include "search_compare.h"

namespace {
// Random playout positions under a halfmove clock or a history count of their own.
struct PlayoutRow {
    const char* name;
    unsigned seed;
    test::Conditions conditions;
};
void PrintTo(const PlayoutRow& row, std::ostream* out) { *out << row.name; }

class FastSearchPlayouts : public ::testing::TestWithParam<PlayoutRow> {};
TEST_P(FastSearchPlayouts, AgreeWithTheStraightforwardSearch) {
    EXPECT_GE(test::compareOnPlayouts(GetParam().seed, 2, 60, 3, 4, GetParam().conditions), 40);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FastSearchPlayouts, ::testing::Values(
    PlayoutRow{"GameClocks",   7, {}},
    PlayoutRow{"Clock30To94",  8, {30, 94}},
    PlayoutRow{"Clock95To99",  9, {95, 99}},
    PlayoutRow{"Clock100On",  10, {100, 140}},
    PlayoutRow{"FullHistory", 11, {0, -1, 1190, HISTORY_SIZE}}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

// Positions compared at every depth up to four: checks, mates and stalemates, quiet moves
// that stalemate (the side behind may look for them, the side ahead must avoid them),
// promotions, en passant and castling, and clocks around the fifty-move rule.
// clang-format off
constexpr const char* CHOSEN_POSITIONS[] = {
    "7k/5Q2/5K2/8/8/8/8/8 w - - 0 1", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1",
    "7k/8/6QK/8/8/8/8/8 b - - 0 1", "8/8/8/8/8/2k5/1q6/K7 w - - 0 1",
    "7k/5K2/6Q1/8/8/8/8/8 w - - 0 1", "k7/8/1K6/8/8/8/8/1R6 w - - 0 1",
    "7k/5K1P/8/8/8/8/8/q7 b - - 0 1", "5k2/5P2/5K2/8/8/8/8/r7 w - - 0 1",
    "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
    "4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", "3r2k1/5ppp/8/8/8/8/5PPP/1Q4K1 b - - 0 1",
    "8/1P5k/8/8/8/8/6p1/K7 w - - 0 1", "r3k3/1P6/8/8/8/8/6p1/4K2R b K - 0 1",
    "rnbqkbnr/ppp2ppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 97 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 99 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 98 1", "6k1/8/8/8/8/8/5q2/K6R w - - 95 80",
    "7k/8/8/8/8/8/8/K5Q1 w - - 100 80", "7k/8/8/8/8/8/1n6/K7 w - - 0 1", "7k/8/8/8/8/2p5/1n6/K7 w - - 0 1",
    "8/N1p5/8/KP5r/8/8/8/7k b - - 0 1",  // taking en passant would open the rank to the king
    "6bk/7p/3p4/3Pp3/8/8/8/B6K w - e6 0 1",  // taking en passant opens the bishop's diagonal: mate
    "kn5b/p5p1/P5P1/8/8/8/8/3RK3 w - - 0 1",  // Rd8 pins the knight: stalemate saves the side behind
    "7k/3p1K2/6P1/4P3/8/8/8/8 b - - 0 1",  // d5 loses the pawn en passant next to the leaves
    "8/6kP/8/8/8/8/8/KB6 b - - 0 1", "kb6/8/8/8/8/8/6Kp/8 w - - 0 1",  // only Kh8 or Kh1 stops it
};
// clang-format on

TEST(FastSearch, AgreesOnChosenPositions) {
    for (const char* fen : CHOSEN_POSITIONS) {
        ASSERT_TRUE(test::loadFen(fen));
        for (int depth = 1; depth <= 4; ++depth) EXPECT_TRUE(test::sameChoice(depth));
    }
}

// Endings the fifty-move rule decides, searched as the game does, with the answer both
// searches give.
struct RuleRow {
    const char* fen;
    const char* move;
    int score;
};

void PrintTo(const RuleRow& row, std::ostream* out) { *out << row.fen; }
class FastSearchRule : public ::testing::TestWithParam<RuleRow> {};
TEST_P(FastSearchRule, DecidesAsTheStraightforwardSearch) {
    ASSERT_TRUE(test::loadFen(GetParam().fen));
    EXPECT_TRUE(test::sameChoice(ROOT_DEPTH));
    SearchWork& work = test::fastSearcher().context.work;
    work = SearchWork{};
    EXPECT_EQ(test::fastSearch(ROOT_DEPTH), GetParam().score);
    EXPECT_EQ(bestMove, test::findMove(GetParam().move));
    EXPECT_TRUE(pos.halfmoveClock > 0 || work.ruleNodes == 0) << "no line reaches the rule";
    // The table kept as the clock climbs to the limit and comes down again, then as the
    // history nears its end: what was stored at one clock or history count must not answer
    // for another where a limit falls in between.
    test::clearSearchTable();
    work = SearchWork{};
    for (int k = 1; k <= 30; ++k) {
        pos.halfmoveClock = FIFTY_MOVE_LIMIT - (k <= 10 ? 10 - k : k <= 20 ? k - 10 : 2);
        pos.historyCount = k <= 20 ? 0 : HISTORY_SIZE - 30 + k;
        EXPECT_TRUE(test::sameChoice(4)) << k;
    }
    EXPECT_GE(work.inOrderNodes, 30u) << "each top is searched in generation order";
    EXPECT_GT(work.ruleNodes, 0u) << "and the rule bites below it";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FastSearchRule, ::testing::Values(
    // The rook wins the pawn at leisure, unless the clock leaves only the capture.
    RuleRow{"7k/8/8/6K1/8/8/p7/R7 w - - 0 1",  "g5f6", 5},
    RuleRow{"7k/8/8/6K1/8/8/p7/R7 w - - 98 1", "a1a2", 5},
    // A mate landing as the clock reaches 99 or 100 counts: the mated side has no move.
    RuleRow{"7k/8/6K1/8/8/8/8/R7 w - - 98 1",  "a1a8", SCORE_LIMIT - 1},
    RuleRow{"7k/8/6K1/8/8/8/8/R7 w - - 99 1",  "a1a8", SCORE_LIMIT - 1},
    // Mate in two: its last move would be played at clock 100, where the rule answers 0.
    RuleRow{"7k/8/8/6K1/8/8/8/R7 w - - 97 1",  "g5g6", SCORE_LIMIT - 3},
    RuleRow{"7k/8/8/6K1/8/8/8/R7 w - - 98 1",  "g5f6", 0},
    // Six plies meet the rule from clock 90 only along lines of checks.
    RuleRow{"3k4/3q4/8/8/4R3/8/3QK3/8 w - - 0 1",  "d2a5", 14},
    RuleRow{"3k4/3q4/8/8/4R3/8/3QK3/8 w - - 90 1", "e4d4", 9},
    // The side behind, to move at clock 97 or 98, is mated as the clock reaches 99 or 100;
    // at 99 its move reaches the limit first. A pawn behind a rook is lost at 97 all the same.
    RuleRow{"7k/8/6K1/8/8/8/8/R7 b - - 97 1",  "h8g8", 2 - SCORE_LIMIT},
    RuleRow{"7k/8/6K1/8/8/8/8/R7 b - - 98 1",  "h8g8", 2 - SCORE_LIMIT},
    RuleRow{"7k/8/6K1/8/8/8/8/R7 b - - 99 1",  "h8g8", 0},
    RuleRow{"7k/8/8/6K1/8/p7/8/R7 b - - 97 1", "h8g8", -5}));
// clang-format on

// Where an answer may be used again: the extension's bound, the fifty-move rule and the end
// of the history each lie beyond what it looked at, and the rule did not bind its window.
struct ReuseRow {
    Provenance provenance;
    int ply;
    int clock;
    int historyCount;
    bool reusable;
};
void PrintTo(const ReuseRow& r, std::ostream* out) {
    *out << "reach " << r.provenance.reach << " quiet " << r.provenance.quiet << " at ply " << r.ply
         << " clock " << r.clock << " history " << r.historyCount;
}
class Reuse : public ::testing::TestWithParam<ReuseRow> {};
TEST_P(Reuse, HoldsOnlyClearOfTheLimits) {
    const ReuseRow& r = GetParam();
    EXPECT_EQ(reusable(r.provenance, r.ply, r.clock, r.historyCount), r.reusable);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Provenance, Reuse, ::testing::Values(
    ReuseRow{{5, 3, false, false},  10, 90, 40, true},
    ReuseRow{{5, 3, true, false},   10, 90, 40, false},
    ReuseRow{{5, 3, false, true},   10, 90, 40, false},
    ReuseRow{{53, 0, false, false}, 10, 0, 0, true},     // the lines end at ply 63
    ReuseRow{{54, 0, false, false}, 10, 0, 0, false},    // ... and at ply 64, where no check extends
    ReuseRow{{5, 3, false, false},  10, 96, 40, true},   // the deepest clock test reads 99
    ReuseRow{{5, 3, false, false},  10, 97, 40, false},  // ... or 100
    ReuseRow{{5, NO_CLOCK_TEST, false, false}, 10, 99, 40, true},
    ReuseRow{{5, NO_CLOCK_TEST, false, false}, 10, 100, 40, true},  // no clock read below
    ReuseRow{{5, 0, false, false},  10, 100, 40, false},
    ReuseRow{{5, 3, false, false},  10, 0, HISTORY_SIZE - 6, true},   // mates scored up to 1199
    ReuseRow{{5, 3, false, false},  10, 0, HISTORY_SIZE - 5, false}));  // ... or at a full history
// clang-format on

// What an answer relies on, seen through a move, at a cut-off and at a best score.
std::tuple<int, int, bool, bool> fields(Provenance p) {
    return {p.reach, p.quiet, p.windowBound, p.oneSided};
}
TEST(Provenance, ThroughMovesCutoffsAndBestScores) {
    const Provenance child{3, 2, false, false}, unread{2, NO_CLOCK_TEST, false, false};
    const Move quiet = makeMoveCode(G1, F1 + 2 * NORTH, 0, 0);
    const Move capture = makeMoveCode(G1, F1 + 2 * NORTH, 0, MF_CAPTURE);
    const Move pawnStep = makeMoveCode(A1 + NORTH, A1 + 2 * NORTH, 0, MF_PAWN);
    const std::pair<Provenance, Provenance> cases[] = {
        {throughMove(child, quiet), {4, 3, false, false}},
        {throughMove(child, capture), {4, NO_CLOCK_TEST, false, false}},
        {throughMove(child, pawnStep), {4, NO_CLOCK_TEST, false, false}},
        {throughMove({1, 0, false, true}, quiet), {2, 1, false, true}},
        // A cut-off at a beta of 0 or less is the rule's answer too; one at a positive beta
        // relies on the clock, and under the rule holds for lower betas only.
        {atCutoff({6, 4, false, false}, unread, 0, 50), {6, NO_CLOCK_TEST, false, false}},
        {atCutoff({6, 4, false, false}, unread, 1, 50), {6, 0, false, false}},
        {atCutoff({6, 4, false, false}, child, 1, 50), {6, 2, false, false}},
        {atCutoff({6, 4, false, false}, unread, 1, FIFTY_MOVE_LIMIT), {6, 0, false, true}},
        {atCutoff({6, 4, false, false}, unread, 0, FIFTY_MOVE_LIMIT), {6, -1, false, false}},
        // A fail-low is as one-sided as the answers below it; a raised alpha that passed
        // over a one-sided answer holds for its window only.
        {atBestScore({3, 2, false, true}, false), {3, 2, false, true}},
        {atBestScore({3, 2, false, true}, true), {3, 2, true, false}},
        {atBestScore(unread, true), {2, 0, false, false}},
        {atFrontier(false, -5, 50), {1, 0, false, false}},
        {atFrontier(true, -5, 50), {1, NO_CLOCK_TEST, false, false}}};
    for (const auto& [actual, expected] : cases) EXPECT_EQ(fields(actual), fields(expected));
    EXPECT_EQ(scoreFromTable(scoreToTable(SCORE_LIMIT - 30, 20), 25), SCORE_LIMIT - 35);
    EXPECT_EQ(scoreFromTable(scoreToTable(30 - SCORE_LIMIT, 20), 25), 35 - SCORE_LIMIT);
}

// Two searches on two threads, each with its own context, table and position, give what
// each gives alone.
// The principal variation follows the table's moves until a position comes round again.
TEST(PrincipalVariation, StopsWhereAPositionRepeats) {
    ASSERT_TRUE(test::loadFen("7k/8/8/8/8/8/8/K7 w - - 0 1"));
    const Position start = pos;
    TranspositionTable& table = test::fastSearcher().table;
    clearTable(table);
    for (const char* move : {"a1a2", "h8g8", "a2a1", "g8h8"}) {
        storeTable(table, positionKey(), test::findMove(move), 0, 1, BOUND_EXACT, 0, NO_CLOCK_TEST);
        ASSERT_TRUE(test::play(move));
    }
    storeTable(table, TableKey{7, ~0ULL}, NO_MOVE, 0, 1, BOUND_EXACT, 5, 9);  // reach read back
    EXPECT_EQ(entryReach(*probeTable(table, TableKey{7, ~0ULL})), 5);
    pos = start;
    Move pv[MAX_PV_LENGTH];
    EXPECT_EQ(principalVariation(table, test::findMove("a1a2"), pv, MAX_PV_LENGTH), 4);
}

TEST(SearchContexts, TwoThreadsSearchAsEachDoesAlone) {
    using Result = std::tuple<int, std::string, uint64_t>;  // score, move, calls
    const auto searchAlone = [](const char* fen, Result& result) {
        auto search = std::make_unique<SearchWithTable>();
        ASSERT_TRUE(setUpSearch(*search));
        ASSERT_TRUE(test::loadFen(fen));
        const int score = fastSearch(search->context, 5);
        result = {score, coordinateName(bestMove), search->context.calls};
    };
    const char* const fens[2] = {
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "R2Q4/8/1K6/8/8/1q4k1/8/8 w - - 90 1"};
    Result alone[2], together[2];
    for (int k = 0; k < 2; ++k) searchAlone(fens[k], alone[k]);
    std::thread first([&] { searchAlone(fens[0], together[0]); });
    std::thread second([&] { searchAlone(fens[1], together[1]); });
    first.join();
    second.join();
    for (int k = 0; k < 2; ++k) EXPECT_EQ(together[k], alone[k]) << fens[k];
}
}  // namespace
