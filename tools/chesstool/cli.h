// What the subcommands of the companion tool share: argument checks, error lines and timing.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILURE_RUNTIME = 1;  // the output could not be written
constexpr int EXIT_USAGE = 2;            // bad arguments or bad input

// The deepest search or perft the tool accepts.
constexpr int MAX_TOOL_DEPTH = 20;

using Clock = std::chrono::steady_clock;

// Replaces control characters, which could break a message over lines, by '?'.
std::string printable(std::string text);

// Writes "chesstool COMMAND: message" on standard error and returns EXIT_USAGE.
int reportUsageError(std::string_view command, const std::string& message);

// Reads a whole number from 1 to maxDepth; false for anything else.
bool parseDepth(std::string_view text, int maxDepth, int& depth);

// Describes a depth that parseDepth refused, naming the accepted range.
std::string depthError(std::string_view text, int maxDepth);

// Tells whether an argument asks for help.
bool isHelpArgument(std::string_view arg);

// Joins the arguments from first on with single spaces, so a FEN may come quoted or not.
std::string joinArguments(int argc, char** argv, int first);

// Returns the seconds passed since start.
double secondsSince(Clock::time_point start);

// Returns a rate per second, treating an unmeasurably short time as one microsecond.
double ratePerSecond(uint64_t count, double seconds);

// Flushes standard output; returns EXIT_OK, or reports the failed write and returns
// EXIT_FAILURE_RUNTIME.
int finishOutput(std::string_view command);
