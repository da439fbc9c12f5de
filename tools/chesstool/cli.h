// What the subcommands of the companion tool share: argument checks, error lines and timing.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILURE_RUNTIME = 1;  // the output could not be written, or no memory
constexpr int EXIT_USAGE = 2;            // bad arguments or bad input

using Clock = std::chrono::steady_clock;

// Writes "chesstool COMMAND: message" on standard error and returns EXIT_USAGE.
int reportUsageError(std::string_view command, const std::string& message);

// Reports that the search table could not be allocated; returns EXIT_FAILURE_RUNTIME.
int reportNoTableMemory(std::string_view command);

// Describes a depth that is not a whole number from 1 to maxDepth, naming the range.
std::string depthError(std::string_view text, int maxDepth);

// Tells whether an argument is written as an option: '-' and then anything but a digit.
bool isOption(std::string_view arg);

// Describes an argument that the command does not take, an option or not, and adds the
// usage line.
std::string unknownArgument(std::string_view arg, const char* usage);

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
