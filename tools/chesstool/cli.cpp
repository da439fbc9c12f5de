#include "tools/chesstool/cli.h"

#include <cstdio>

#include "core/text.h"

namespace {
constexpr double SHORTEST_MEASURED_TIME = 1e-6;
}  // namespace

int reportUsageError(std::string_view command, const std::string& message) {
    std::fprintf(stderr, "chesstool %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                 message.c_str());
    return EXIT_USAGE;
}

int reportNoTableMemory(std::string_view command) {
    std::fprintf(stderr, "chesstool %.*s: no memory for the search table\n",
                 static_cast<int>(command.size()), command.data());
    return EXIT_FAILURE_RUNTIME;
}

std::string depthError(std::string_view text, int maxDepth) {
    return "depth must be a whole number from 1 to " + std::to_string(maxDepth) + ", not " +
           quotedWord(text);
}

bool isOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && (arg[1] < '0' || arg[1] > '9');
}

std::string unknownArgument(std::string_view arg, const char* usage) {
    return (isOption(arg) ? "unknown option " : "unknown argument ") + quotedWord(arg) + "; " +
           usage;
}

bool isHelpArgument(std::string_view arg) {
    return arg == "--help" || arg == "-h" || arg == "help";
}

std::string joinArguments(int argc, char** argv, int first) {
    std::string text;
    for (int i = first; i < argc; ++i) {
        if (i > first) text += ' ';
        text += argv[i];
    }
    return text;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double ratePerSecond(uint64_t count, double seconds) {
    return static_cast<double>(count) /
           (seconds > SHORTEST_MEASURED_TIME ? seconds : SHORTEST_MEASURED_TIME);
}

int finishOutput(std::string_view command) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return EXIT_OK;
    std::fprintf(stderr, "chesstool %.*s: writing standard output failed\n",
                 static_cast<int>(command.size()), command.data());
    return EXIT_FAILURE_RUNTIME;
}
