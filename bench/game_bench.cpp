// Times the program's game: every ply with the fast search the game uses, the first plies
// side by side with the straightforward search on the same positions, and endings full of
// checks searched at halfmove clocks from 0 to past the fifty-move limit.
//
//   game_bench [--reference-plies N] [--sweep-only]
//
// --reference-plies sets how many plies both searches compare (default 30; 0 leaves the
// straightforward search out); --sweep-only runs the clock sweep alone.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/selfplay.h"
#include "core/fen.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/search.h"

namespace {

using Clock = std::chrono::steady_clock;

struct PlyFigures {
    Move move;
    uint64_t calls;
    double seconds;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Plays the whole game as the program does and times every ply.
std::vector<PlyFigures> timeGame(SearchContext& context, PlyOutcome& outcome) {
    std::vector<PlyFigures> plies;
    pos.historyCount = 0;
    setupInitialPosition();
    for (;;) {
        const uint64_t before = context.calls;
        const Clock::time_point start = Clock::now();
        const PlyResult ply = playPly(context);
        const double seconds = secondsSince(start);
        outcome = ply.outcome;
        if (ply.move != NO_MOVE) plies.push_back({ply.move, context.calls - before, seconds});
        if (ply.outcome != PlyOutcome::MOVED) return plies;
    }
}

PlyFigures timeReference() {
    bestMove = NO_MOVE;
    searchCalls = 0;
    const Clock::time_point start = Clock::now();
    search(-SCORE_LIMIT, SCORE_LIMIT, ROOT_DEPTH);
    return {bestMove, searchCalls, secondsSince(start)};
}

PlyFigures timeFast(SearchContext& context) {
    const uint64_t before = context.calls;
    const Clock::time_point start = Clock::now();
    fastSearch(context, ROOT_DEPTH);
    return {bestMove, context.calls - before, secondsSince(start)};
}

const char* outcomeName(PlyOutcome outcome) {
    switch (outcome) {
        case PlyOutcome::CHECKMATE:
            return "checkmate";
        case PlyOutcome::STALEMATE:
            return "stalemate";
        case PlyOutcome::FIFTY_MOVE_DRAW:
            return "fifty-move rule";
        case PlyOutcome::REPETITION_DRAW:
            return "threefold repetition";
        default:
            return "unfinished";
    }
}

std::string moveText(Move move) { return squareName(moveFrom(move)) + squareName(moveTo(move)); }

void reportGame(const std::vector<PlyFigures>& plies, PlyOutcome outcome) {
    std::printf("The game with the fast search\n%4s  %-6s %12s %10s\n", "ply", "move", "calls",
                "seconds");
    double total = 0;
    uint64_t calls = 0;
    size_t slowest = 0;
    for (size_t k = 0; k < plies.size(); ++k) {
        std::printf("%4zu  %-6s %12llu %10.4f\n", k + 1, moveText(plies[k].move).c_str(),
                    static_cast<unsigned long long>(plies[k].calls), plies[k].seconds);
        total += plies[k].seconds;
        calls += plies[k].calls;
        if (plies[k].seconds > plies[slowest].seconds) slowest = k;
    }
    std::printf("game: %zu plies, ended by %s\n", plies.size(), outcomeName(outcome));
    std::printf("whole game: %.3f s, %llu search calls, %.2f million calls/s\n", total,
                static_cast<unsigned long long>(calls), calls / total / 1e6);
    if (!plies.empty()) {
        std::printf("slowest move: ply %zu (%s), %.4f s\n", slowest + 1,
                    moveText(plies[slowest].move).c_str(), plies[slowest].seconds);
    }
}

// Searches the first plies of the game with both searches on the same positions.
void compareSearches(SearchContext& context, const std::vector<PlyFigures>& game, int count) {
    std::printf("\nStraightforward and fast search on the same positions\n");
    std::printf("%4s  %-6s %12s %10s %12s %10s %8s %8s\n", "ply", "move", "calls", "seconds",
                "fast calls", "fast s", "calls x", "time x");
    pos.historyCount = 0;
    setupInitialPosition();
    PlyFigures sumReference{NO_MOVE, 0, 0};
    PlyFigures sumFast{NO_MOVE, 0, 0};
    for (int k = 0; k < count && k < static_cast<int>(game.size()); ++k) {
        const Position before = pos;
        const PlyFigures reference = timeReference();
        pos = before;
        const PlyFigures fast = timeFast(context);
        std::printf("%4d  %-6s %12llu %10.4f %12llu %10.4f %8.1f %8.1f%s\n", k + 1,
                    moveText(reference.move).c_str(),
                    static_cast<unsigned long long>(reference.calls), reference.seconds,
                    static_cast<unsigned long long>(fast.calls), fast.seconds,
                    double(reference.calls) / fast.calls, reference.seconds / fast.seconds,
                    reference.move == fast.move ? "" : "  DIFFERENT MOVE");
        sumReference.calls += reference.calls;
        sumReference.seconds += reference.seconds;
        sumFast.calls += fast.calls;
        sumFast.seconds += fast.seconds;
        makeMove(game[k].move);
    }
    std::printf("straightforward: %llu calls in %.3f s, %.2f million calls/s\n",
                static_cast<unsigned long long>(sumReference.calls), sumReference.seconds,
                sumReference.calls / sumReference.seconds / 1e6);
    std::printf("fast:            %llu calls in %.3f s, %.2f million calls/s\n",
                static_cast<unsigned long long>(sumFast.calls), sumFast.seconds,
                sumFast.calls / sumFast.seconds / 1e6);
    std::printf("ratio straightforward/fast: %.1f x the calls, %.1f x the time\n",
                double(sumReference.calls) / sumFast.calls, sumReference.seconds / sumFast.seconds);
}

// Endings where checks answer checks, so that the fifty-move rule bites inside the tree
// from a clock in the eighties on, with the depth each is searched to.
struct SweepPosition {
    const char* fen;  // without the clock and the move number
    int depth;
};
// clang-format off
constexpr SweepPosition SWEEP_POSITIONS[] = {
    {"R2Q4/8/1K6/8/8/1q4k1/8/8 w - -", 6},
    {"R2Q4/8/1K6/8/8/1q4k1/8/8 w - -", 7},
    {"3k4/3q4/8/8/4R3/8/3QK3/8 w - -", 7},
    {"4k3/8/8/8/8/8/1q6/R3K2R w - -", 7},
    {"2k5/8/8/8/8/8/1r6/3QK3 w - -", 7},
};
constexpr int SWEEP_CLOCKS[] = {0, 80, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99,
                                100, 130};
// clang-format on
constexpr int SWEEP_RUNS = 3;  // each clock is timed this often, the best run counting

// Searches one position at one clock, its table cleared, and returns the best time of
// SWEEP_RUNS with the work of the last run.
double timeAtClock(SearchWithTable& search, const SweepPosition& sweep, int clock) {
    std::string error;
    double best = 0;
    for (int run = 0; run < SWEEP_RUNS; ++run) {
        readFen(std::string(sweep.fen) + " " + std::to_string(clock) + " 1", error);
        clearTable(search.table);
        search.context.calls = 0;
        search.context.work = SearchWork{};
        const Clock::time_point start = Clock::now();
        fastSearch(search.context, sweep.depth);
        const double seconds = secondsSince(start);
        if (run == 0 || seconds < best) best = seconds;
    }
    return best;
}

// Searches each ending at every clock of the sweep and prints the calls, the time against
// clock 0, and where the work under the rule went: nodes searched again in generation order
// because the rule bound an answer below them, and nodes under the rule.
void sweepClocks(SearchWithTable& search) {
    std::printf("\nThe fifty-move rule inside the tree: each ending at every clock\n");
    for (const SweepPosition& sweep : SWEEP_POSITIONS) {
        std::printf("\n%s, depth %d\n%6s %10s %9s %7s %9s %9s\n", sweep.fen, sweep.depth, "clock",
                    "calls", "seconds", "x clk 0", "in order", "rule");
        double atZero = 0;
        double worst = 0;
        int worstClock = 0;
        for (int clock : SWEEP_CLOCKS) {
            const double seconds = timeAtClock(search, sweep, clock);
            if (clock == 0) atZero = seconds;
            const double ratio = seconds / atZero;
            if (ratio > worst) worst = ratio, worstClock = clock;
            std::printf("%6d %10llu %9.4f %7.2f %9llu %9llu\n", clock,
                        static_cast<unsigned long long>(search.context.calls), seconds, ratio,
                        static_cast<unsigned long long>(search.context.work.inOrderNodes),
                        static_cast<unsigned long long>(search.context.work.ruleNodes));
        }
        std::printf("worst: clock %d, %.2f times clock 0\n", worstClock, worst);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int referencePlies = 30;
    bool sweepOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--reference-plies") == 0 && i + 1 < argc) {
            referencePlies = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--sweep-only") == 0) {
            sweepOnly = true;
        } else {
            std::fprintf(stderr, "usage: game_bench [--reference-plies N] [--sweep-only]\n");
            return 2;
        }
    }
    static SearchWithTable gameSearch;
    static SearchWithTable comparison;
    if (!setUpSearch(gameSearch) || !setUpSearch(comparison)) return 1;
    if (!sweepOnly) {
        PlyOutcome outcome = PlyOutcome::MOVED;
        const std::vector<PlyFigures> game = timeGame(gameSearch.context, outcome);
        reportGame(game, outcome);
        if (referencePlies > 0) compareSearches(comparison.context, game, referencePlies);
    }
    sweepClocks(comparison);
    return 0;
}
