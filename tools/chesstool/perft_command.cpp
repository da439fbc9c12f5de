#include "tools/chesstool/perft_command.h"

#include <cinttypes>
#include <cstdio>
#include <string>
#include <thread>

#include "core/fen.h"
#include "core/notation.h"
#include "core/perft.h"
#include "core/position.h"
#include "tools/chesstool/cli.h"

namespace {

constexpr const char* PERFT_HELP =
    "Counts the legal move sequences of DEPTH plies (1 to 20) from the FEN position,\n"
    "or from the starting position when no FEN is given. Prints the count below each\n"
    "legal root move in coordinate notation, then the total, the time and the rate.\n"
    "The moves of the last ply are counted without being played.\n"
    "\n"
    "  --threads N  share the work among N threads (1 to 256; default: the cores available)\n";

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
    if (!parseDepth(argv[0], MAX_TOOL_DEPTH, options.depth)) {
        return reportUsageError("perft", depthError(argv[0], MAX_TOOL_DEPTH));
    }
    options.threads = defaultThreads();
    std::string fen;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--threads") {
            if (i + 1 >= argc) return reportUsageError("perft", "--threads needs a value");
            if (!parseDepth(argv[++i], MAX_THREADS, options.threads)) {
                return reportUsageError("perft", "threads must be a whole number from 1 to " +
                                                     std::to_string(MAX_THREADS) + ", not '" +
                                                     printable(argv[i]) + "'");
            }
        } else {
            fen += (fen.empty() ? "" : " ") + arg;
        }
    }
    options.fen = fen.empty() ? START_FEN : fen;
    return EXIT_OK;
}

}  // namespace

int runPerftCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", PERFT_USAGE, PERFT_HELP);
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
