// The bench subcommand: a fixed set of searches that measures speed and fingerprints behaviour.
#pragma once

constexpr const char* BENCH_USAGE = "usage: chesstool bench [--reference] [--depth N]";

// The depth bench searches to unless --depth says otherwise.
constexpr int BENCH_DEFAULT_DEPTH = 5;

// Runs "bench" with the arguments that follow the subcommand name; returns the exit status.
int runBenchCommand(int argc, char** argv);
