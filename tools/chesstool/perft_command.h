// The perft subcommand: counting move sequences with a per-root-move breakdown.
#pragma once

constexpr const char* PERFT_USAGE = "usage: chesstool perft DEPTH [FEN] [--threads N]";

// Runs "perft" with the arguments that follow the subcommand name; returns the exit status.
int runPerftCommand(int argc, char** argv);
