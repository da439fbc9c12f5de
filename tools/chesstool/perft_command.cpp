#include "tools/chesstool/perft_command.h"

#include <cinttypes>
#include <cstdio>
#include <string>

#include "core/fen.h"
#include "core/notation.h"
#include "core/perft.h"
#include "core/position.h"
#include "core/rules.h"
#include "tools/chesstool/cli.h"

namespace {

constexpr const char* PERFT_HELP =
    "Counts the legal move sequences of DEPTH plies (1 to 20) from the FEN position,\n"
    "or from the starting position when no FEN is given. Prints the count below each\n"
    "legal root move in coordinate notation, then the total, the time and the rate.\n";

// Prints the count below each legal root move and returns their sum.
uint64_t divide(int depth) {
    MoveList legal;
    generateLegalMoves(legal);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    uint64_t total = 0;
    for (int k = 0; k < legal.count; ++k) {
        const Move move = legal.moves[k];
        makeMove(move);
        const uint64_t count = perft(depth - 1);
        pos.side ^= BLACK;
        restoreSnapshot(snapshot);
        std::printf("%s: %" PRIu64 "\n", coordinateName(move).c_str(), count);
        total += count;
    }
    return total;
}

}  // namespace

int runPerftCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", PERFT_USAGE, PERFT_HELP);
        return finishOutput("perft");
    }
    if (argc < 1) return reportUsageError("perft", std::string("missing DEPTH; ") + PERFT_USAGE);
    int depth = 0;
    if (!parseDepth(argv[0], MAX_TOOL_DEPTH, depth)) {
        return reportUsageError("perft", depthError(argv[0], MAX_TOOL_DEPTH));
    }
    const std::string fen = argc > 1 ? joinArguments(argc, argv, 1) : START_FEN;
    std::string error;
    if (!readFen(fen, error)) return reportUsageError("perft", "bad FEN: " + error);

    const Clock::time_point start = Clock::now();
    const uint64_t total = divide(depth);
    const double seconds = secondsSince(start);
    std::printf("\ntotal: %" PRIu64 "\ntime: %.3f s\nrate: %.0f nodes/s\n", total, seconds,
                ratePerSecond(total, seconds));
    return finishOutput("perft");
}
