// The pgn subcommand: the program's own game written as Portable Game Notation.
#pragma once

constexpr const char* PGN_USAGE = "usage: chesstool pgn [--fen FEN]";

// Runs "pgn" with the arguments that follow the subcommand name; returns the exit status.
int runPgnCommand(int argc, char** argv);
