#include "tools/chesstool/play_options.h"

#include <algorithm>
#include <string_view>

#include "core/text.h"
#include "search/limits.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/play_command.h"

namespace {

constexpr const char* ENGINE_NAME = "selfplay_chess";
constexpr int MAX_MOVE_TIME = 3600000;  // milliseconds
constexpr int MILLISECONDS_PER_SECOND = 1000;
// Kept in reserve on the engine's clock for drawing the view and the record.
constexpr int64_t CLOCK_OVERHEAD = 30;

// Reads the file name after an option; returns EXIT_OK or the status of the error.
int readFileName(int argc, char** argv, int& i, std::string& path) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return reportUsageError("play", option + " needs a file name");
    path = argv[++i];
    if (path.empty()) return reportUsageError("play", option + " needs a file name");
    return EXIT_OK;
}

// Reads the level's number and takes its depth or move time.
int readLevel(int argc, char** argv, int& i, PlayOptions& options) {
    if (i + 1 >= argc) return reportUsageError("play", "--level needs a value");
    if (!parseWholeNumber(argv[++i], 1, LEVEL_COUNT, options.level)) {
        return reportUsageError("play", "--level needs a level from 1 to " +
                                            std::to_string(LEVEL_COUNT) + ", not " +
                                            quotedWord(argv[i]));
    }
    const PlayLevel& level = PLAY_LEVELS[options.level - 1];
    options.depth = level.depth > 0 ? level.depth : options.depth;
    options.moveTime = level.moveTime;
    return EXIT_OK;
}

// Reads the time control after --clock.
int readClock(int argc, char** argv, int& i, PlayOptions& options) {
    if (i + 1 >= argc) return reportUsageError("play", "--clock needs MINUTES+INCREMENT");
    if (parseTimeControl(argv[++i], options.clock)) return EXIT_OK;
    return reportUsageError("play",
                            "--clock needs MINUTES+INCREMENT such as 5+3 (minutes up to "
                            "600, increment seconds up to 600), not " +
                                quotedWord(argv[i]));
}

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

std::string levelMeaning(int level) {
    const PlayLevel& named = PLAY_LEVELS[level - 1];
    if (named.depth == ROOT_DEPTH) return "depth 6, as the game program";
    if (named.depth > 0) return "depth " + std::to_string(named.depth);
    if (named.moveTime % MILLISECONDS_PER_SECOND != 0) {
        return "0." + std::to_string(named.moveTime / 100) + " s a move";
    }
    return std::to_string(named.moveTime / MILLISECONDS_PER_SECOND) + " s a move";
}

int parsePlayArguments(int argc, char** argv, PlayOptions& options) {
    int searchOptions = 0;  // --depth, --movetime and --level name the same thing
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        int status = EXIT_OK;
        if (arg == "--black") {
            options.personSide = BLACK;
        } else if (arg == "--pieces") {
            options.pieces = true;
        } else if (arg == "--depth") {
            status = readNumber(argc, argv, i, FAST_SEARCH_MAX_DEPTH, options.depth);
            ++searchOptions;
        } else if (arg == "--movetime") {
            status = readNumber(argc, argv, i, MAX_MOVE_TIME, options.moveTime);
            ++searchOptions;
        } else if (arg == "--level") {
            status = readLevel(argc, argv, i, options);
            ++searchOptions;
        } else if (arg == "--clock") {
            status = readClock(argc, argv, i, options);
        } else if (arg == "--pgn") {
            status = readFileName(argc, argv, i, options.pgnPath);
        } else if (arg == "--load") {
            status = readFileName(argc, argv, i, options.loadPath);
        } else if (arg == "--resume") {
            options.resume = true;
        } else if (arg == "--fen") {
            status = readFenOption("play", argc, argv, i, options.start);
        } else {
            return reportUsageError("play", unknownArgument(arg, PLAY_USAGE));
        }
        if (status != EXIT_OK) return status;
    }
    if (searchOptions > 1) {
        return reportUsageError("play", "--depth, --movetime and --level exclude each other");
    }
    if (options.start.fromFen + !options.loadPath.empty() + options.resume > 1) {
        return reportUsageError("play", "--fen, --load and --resume exclude each other");
    }
    if (options.resume && options.pgnPath.empty()) {
        return reportUsageError("play", "--resume needs --pgn FILE, the game to go on with");
    }
    return EXIT_OK;
}

SearchRequest engineRequest(const PlayOptions& options, const GameClock& clock, int engineSide) {
    const bool fixedDepth = options.moveTime == 0;
    if (fixedDepth && !clock.timed) return requestAtDepth(options.depth, false);
    SearchRequest request =
        requestAtDepth(fixedDepth ? options.depth : FAST_SEARCH_MAX_DEPTH, true);
    MoveClock moveClock;
    if (clock.timed) {
        moveClock.timeLeft = timeLeft(clock, engineSide);
        moveClock.increment = clock.increment;
        moveClock.overhead = CLOCK_OVERHEAD;
    } else {
        moveClock.moveTime = options.moveTime;
    }
    request.budget = planMoveTime(moveClock);
    if (clock.timed && !fixedDepth) {
        request.budget.soft = std::min<int64_t>(request.budget.soft, options.moveTime);
        request.budget.hard = std::min<int64_t>(request.budget.hard, options.moveTime);
    }
    return request;
}

std::string engineName(const PlayOptions& options) {
    if (options.level > 0) {
        return std::string(ENGINE_NAME) + " level " + std::to_string(options.level) + " (" +
               levelMeaning(options.level) + ")";
    }
    if (options.moveTime > 0) {
        return std::string(ENGINE_NAME) + " movetime " + std::to_string(options.moveTime) + " ms";
    }
    return std::string(ENGINE_NAME) + " depth " + std::to_string(options.depth);
}

std::string thinkingLine(const PlayOptions& options) {
    if (options.level > 0) {
        return "Thinking, level " + std::to_string(options.level) + " (" +
               levelMeaning(options.level) + ")...";
    }
    if (options.moveTime > 0) {
        return "Thinking for " + std::to_string(options.moveTime) + " ms...";
    }
    return "Thinking, depth " + std::to_string(options.depth) + "...";
}
