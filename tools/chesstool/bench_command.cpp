#include "tools/chesstool/bench_command.h"

#include <cinttypes>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/fen.h"
#include "core/notation.h"
#include "core/position.h"
#include "core/text.h"
#include "search/fastsearch.h"
#include "search/search.h"
#include "tools/chesstool/cli.h"

namespace {

constexpr const char* BENCH_HELP =
    "Searches twelve fixed positions to a fixed depth (default 5, at most %d) with the\n"
    "search the game uses, its table cleared before each position, and prints per\n"
    "position and in total the search calls, the time and the calls per second. The\n"
    "last line, the signature, is the total number of search calls: it changes only\n"
    "when the search behaves differently. --reference runs the straightforward search.\n";

struct BenchPosition {
    const char* name;
    const char* fen;
};

// clang-format off
constexpr BenchPosition BENCH_POSITIONS[] = {
    {"opening",            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
    {"open game",          "r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3"},
    {"castling both ways", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
    {"middle game",        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10"},
    {"promotions, check",  "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1"},
    {"promotion by capture", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"},
    {"in check",           "rnbqkbnr/ppp2ppp/8/1B1pp3/4P3/8/PPPP1PPP/RNBQK1NR b KQkq - 1 3"},
    {"mate in one",        "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4"},
    {"rook endgame",       "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
    {"pawn race",          "4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1"},
    {"queen against rook", "2k5/8/8/8/8/8/1r6/3QK3 w - - 0 1"},
    {"king and pawn",      "8/8/8/4k3/8/8/4P3/4K3 w - - 0 1"},
};
// clang-format on

struct BenchOptions {
    bool reference = false;
    int depth = BENCH_DEFAULT_DEPTH;
};

// Reads the options; returns EXIT_OK or the status of the error it reported.
int parseBenchOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--reference") {
            options.reference = true;
        } else if (arg == "--depth") {
            if (i + 1 >= argc) return reportUsageError("bench", "--depth needs a value");
            if (!parseWholeNumber(argv[++i], 1, FAST_SEARCH_MAX_DEPTH, options.depth)) {
                return reportUsageError("bench", depthError(argv[i], FAST_SEARCH_MAX_DEPTH));
            }
        } else {
            return reportUsageError("bench", unknownArgument(arg, BENCH_USAGE));
        }
    }
    return EXIT_OK;
}

// Searches the current position once and returns the score and the calls it took;
// bestMove holds the move.
int searchOnce(const BenchOptions& options, SearchWithTable& fast, uint64_t& calls) {
    computeHash();
    if (options.reference) {
        bestMove = NO_MOVE;
        const uint64_t before = searchCalls;
        const int score = search(-SCORE_LIMIT, SCORE_LIMIT, options.depth);
        calls = searchCalls - before;
        return score;
    }
    clearTable(fast.table);
    const uint64_t before = fast.context.calls;
    const int score = fastSearch(fast.context, options.depth);
    calls = fast.context.calls - before;
    return score;
}

}  // namespace

int runBenchCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n", BENCH_USAGE);
        std::printf(BENCH_HELP, FAST_SEARCH_MAX_DEPTH);
        return finishOutput("bench");
    }
    BenchOptions options;
    if (const int status = parseBenchOptions(argc, argv, options); status != EXIT_OK) {
        return status;
    }
    std::printf("bench: %s search, depth %d, %zu positions\n",
                options.reference ? "reference" : "fast", options.depth,
                sizeof BENCH_POSITIONS / sizeof BENCH_POSITIONS[0]);
    std::printf("%3s  %-21s %12s %9s %12s  %-8s %6s\n", "#", "position", "calls", "time/s",
                "calls/s", "bestmove", "score");
    SearchWithTable fast;
    if (!setUpSearch(fast)) return reportNoTableMemory("bench");
    uint64_t totalCalls = 0;
    double totalSeconds = 0;
    int index = 0;
    for (const BenchPosition& bench : BENCH_POSITIONS) {
        std::string error;
        if (!readFen(bench.fen, error)) return reportUsageError("bench", error);
        const Clock::time_point start = Clock::now();
        uint64_t calls = 0;
        const int score = searchOnce(options, fast, calls);
        const double seconds = secondsSince(start);
        totalCalls += calls;
        totalSeconds += seconds;
        std::printf("%3d  %-21s %12" PRIu64 " %9.3f %12.0f  %-8s %6d\n", ++index, bench.name, calls,
                    seconds, ratePerSecond(calls, seconds), coordinateName(bestMove).c_str(),
                    score);
        std::fflush(stdout);
    }
    std::printf("%3s  %-21s %12" PRIu64 " %9.3f %12.0f\n", "", "total", totalCalls, totalSeconds,
                ratePerSecond(totalCalls, totalSeconds));
    std::printf("signature %" PRIu64 "\n", totalCalls);
    return finishOutput("bench");
}
