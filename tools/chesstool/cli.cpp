#include "tools/chesstool/cli.h"

#include <cstdio>

namespace {
constexpr double SHORTEST_MEASURED_TIME = 1e-6;
constexpr size_t MAX_DEPTH_DIGITS = 4;
constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr char DELETE = 0x7f;
}  // namespace

std::string printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < FIRST_PRINTABLE || c == DELETE) c = '?';
    }
    return text;
}

int reportUsageError(std::string_view command, const std::string& message) {
    std::fprintf(stderr, "chesstool %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                 printable(message).c_str());
    return EXIT_USAGE;
}

bool parseDepth(std::string_view text, int maxDepth, int& depth) {
    if (text.empty() || text.size() > MAX_DEPTH_DIGITS) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > maxDepth) return false;
    depth = value;
    return true;
}

std::string depthError(std::string_view text, int maxDepth) {
    return "depth must be a whole number from 1 to " + std::to_string(maxDepth) + ", not '" +
           std::string(text) + "'";
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
