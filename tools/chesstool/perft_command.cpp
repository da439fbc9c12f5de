#include "tools/chesstool/perft_command.h"

#include <cinttypes>
#include <cstdio>
#include <string>
#include <thread>

#include "core/fen.h"
#include "core/notation.h"
#include "core/perft.h"
#include "core/position.h"
#include "core/text.h"
#include "search/fastsearch.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_start.h"

namespace {

constexpr const char* PERFT_HELP =
    "Counts the legal move sequences of DEPTH plies (1 to %d) from the FEN position,\n"
    "or from the starting position when no FEN is given. Prints the count below each\n"
    "legal root move in coordinate notation, then the total, the time and the rate.\n"
    "The moves of the last ply are counted without being played.\n"
    "\n"
    "  --fen FEN    the position, as pgn, watch and play take it (or its words after DEPTH)\n"
    "  --threads N  share the work among N threads (1 to %d; default: the cores available)\n";

constexpr int MAX_THREADS = 256;

struct PerftOptions {
    int depth = 0;
    int threads = 1;
    std::string fen;
};

int defaultThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores < MAX_THREADS ? cores : MAX_THREADS);
}

// Reads DEPTH, the options and the FEN words; returns EXIT_OK or the usage error's status.
int parseOptions(int argc, char** argv, PerftOptions& options) {
    if (!parseWholeNumber(argv[0], 1, FAST_SEARCH_MAX_DEPTH, options.depth)) {
        return reportUsageError("perft", depthError(argv[0], FAST_SEARCH_MAX_DEPTH));
    }
    options.threads = defaultThreads();
    GameStart start;
    bool positional = false;  // a FEN given as the words after DEPTH, which may be empty
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--fen") {
            const int status = readFenOption("perft", argc, argv, i, start);
            if (status != EXIT_OK) return status;
        } else if (arg == "--threads") {
            if (i + 1 >= argc) return reportUsageError("perft", "--threads needs a value");
            if (!parseWholeNumber(argv[++i], 1, MAX_THREADS, options.threads)) {
                return reportUsageError("perft", "threads must be a whole number from 1 to " +
                                                     std::to_string(MAX_THREADS) + ", not " +
                                                     quotedWord(argv[i]));
            }
        } else if (isOption(arg)) {
            return reportUsageError("perft", unknownArgument(arg, PERFT_USAGE));
        } else {
            options.fen += (positional ? " " : "") + arg;
            positional = true;
        }
    }
    if (start.fromFen && positional) return reportUsageError("perft", "the FEN is given twice");
    if (start.fromFen) options.fen = start.fen;
    if (!start.fromFen && !positional) options.fen = START_FEN;
    return EXIT_OK;
}

}  // namespace

int runPerftCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n", PERFT_USAGE);
        std::printf(PERFT_HELP, FAST_SEARCH_MAX_DEPTH, MAX_THREADS);
        return finishOutput("perft");
    }
    if (argc < 1) return reportUsageError("perft", std::string("missing DEPTH; ") + PERFT_USAGE);
    PerftOptions options;
    const int status = parseOptions(argc, argv, options);
    if (status != EXIT_OK) return status;
    std::string error;
    if (!readFen(options.fen, error)) return reportUsageError("perft", "bad FEN: " + error);

    const Clock::time_point start = Clock::now();
    static RootCount counts[MAX_MOVES];
    const int rootCount = dividePerft(options.depth, options.threads, counts);
    const double seconds = secondsSince(start);
    uint64_t total = 0;
    for (int r = 0; r < rootCount; ++r) {
        std::printf("%s: %" PRIu64 "\n", coordinateName(counts[r].move).c_str(), counts[r].count);
        total += counts[r].count;
    }
    std::printf("\ntotal: %" PRIu64 "\ntime: %.3f s\nrate: %.0f nodes/s\n", total, seconds,
                ratePerSecond(total, seconds));
    return finishOutput("perft");
}
