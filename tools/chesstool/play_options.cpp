#include "tools/chesstool/play_options.h"

#include <string_view>

#include "core/text.h"
#include "search/limits.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/play_command.h"

namespace {

constexpr const char* ENGINE_NAME = "selfplay_chess";
constexpr int MAX_MOVE_TIME = 3600000;  // milliseconds

// Reads a number option's value into value; returns EXIT_OK or the status of the error.
int readNumber(int argc, char** argv, int& i, int most, int& value) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return reportUsageError("play", option + " needs a value");
    if (parseWholeNumber(argv[++i], 1, most, value)) return EXIT_OK;
    if (option == "--depth") return reportUsageError("play", depthError(argv[i], most));
    return reportUsageError("play", option + " needs milliseconds from 1 to " +
                                        std::to_string(most) + ", not " + quotedWord(argv[i]));
}

}  // namespace

int parsePlayArguments(int argc, char** argv, PlayOptions& options) {
    bool depthGiven = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        int status = EXIT_OK;
        if (arg == "--black") {
            options.personSide = BLACK;
        } else if (arg == "--pieces") {
            options.pieces = true;
        } else if (arg == "--depth") {
            status = readNumber(argc, argv, i, FAST_SEARCH_MAX_DEPTH, options.depth);
            depthGiven = true;
        } else if (arg == "--movetime") {
            status = readNumber(argc, argv, i, MAX_MOVE_TIME, options.moveTime);
        } else if (arg == "--pgn") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                return reportUsageError("play", "--pgn needs a file name");
            }
            options.pgnPath = argv[++i];
        } else if (arg == "--fen") {
            status = readFenOption("play", argc, argv, i, options.start);
        } else {
            return reportUsageError("play", unknownArgument(arg, PLAY_USAGE));
        }
        if (status != EXIT_OK) return status;
    }
    if (depthGiven && options.moveTime > 0) {
        return reportUsageError("play", "--depth and --movetime exclude each other");
    }
    return EXIT_OK;
}

SearchRequest engineRequest(const PlayOptions& options) {
    if (options.moveTime == 0) return requestAtDepth(options.depth, false);
    SearchRequest request = requestAtDepth(FAST_SEARCH_MAX_DEPTH, true);
    MoveClock clock;
    clock.moveTime = options.moveTime;
    request.budget = planMoveTime(clock);
    return request;
}

std::string engineName(const PlayOptions& options) {
    if (options.moveTime > 0) {
        return std::string(ENGINE_NAME) + " movetime " + std::to_string(options.moveTime) + " ms";
    }
    return std::string(ENGINE_NAME) + " depth " + std::to_string(options.depth);
}

std::string thinkingLine(const PlayOptions& options) {
    if (options.moveTime > 0) {
        return "Thinking for " + std::to_string(options.moveTime) + " ms...";
    }
    return "Thinking, depth " + std::to_string(options.depth) + "...";
}
