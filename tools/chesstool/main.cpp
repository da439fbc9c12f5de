// chesstool: perft, bench, the game record as PGN, a UCI engine, a view of the game and a
// game against the engine, beside the game program.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/text.h"
#include "tools/chesstool/bench_command.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/perft_command.h"
#include "tools/chesstool/pgn_command.h"
#include "tools/chesstool/platform.h"
#include "tools/chesstool/play_command.h"
#include "tools/chesstool/uci_command.h"
#include "tools/chesstool/watch_command.h"

namespace {

// The version of the project, given by the build.
constexpr const char* VERSION = CHESS_VERSION;

using CommandRunner = int (*)(int argc, char** argv);

struct Subcommand {
    const char* name;
    const char* usage;
    const char* summary;
    CommandRunner run;
};

constexpr Subcommand SUBCOMMANDS[] = {
    {"perft", PERFT_USAGE, "count move sequences, divided by root move", runPerftCommand},
    {"bench", BENCH_USAGE, "search fixed positions and print speed and a signature",
     runBenchCommand},
    {"pgn", PGN_USAGE, "play the program's game and write it as PGN", runPgnCommand},
    {"uci", UCI_USAGE, "run as an engine for the Universal Chess Interface", runUciCommand},
    {"watch", WATCH_USAGE, "show the program's game as a paced view, one board redrawn in place",
     runWatchCommand},
    {"play", PLAY_USAGE, "play a game against the engine on the watch view", runPlayCommand},
};

void printHelp(std::FILE* out) {
    std::fprintf(out,
                 "usage: chesstool SUBCOMMAND [ARGUMENTS]\n       chesstool --version\n\n"
                 "Subcommands:\n");
    for (const Subcommand& sub : SUBCOMMANDS) {
        std::fprintf(out, "  %-6s %s\n         %s\n", sub.name, sub.summary, sub.usage);
    }
    std::fprintf(out, "\nRun 'chesstool SUBCOMMAND --help' for the details of one.\n");
}

}  // namespace

int main(int argc, char** argv) {
    setUpStandardStreams();
    if (argc < 2) {
        std::fprintf(stderr, "chesstool: missing subcommand (try chesstool --help)\n");
        return EXIT_USAGE;
    }
    const std::string_view name = argv[1];
    if (isHelpArgument(name)) {
        printHelp(stdout);
        return finishOutput("help");
    }
    if (name == "--version") {
        std::printf("chesstool %s\n", VERSION);
        return finishOutput("version");
    }
    for (const Subcommand& sub : SUBCOMMANDS) {
        if (name == sub.name) return sub.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "chesstool: unknown %s %s (try chesstool --help)\n",
                 isOption(name) ? "option" : "subcommand", quotedWord(name).c_str());
    return EXIT_USAGE;
}
