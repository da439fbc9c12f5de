// The pgn subcommand: the program's own game written as Portable Game Notation.
#pragma once

constexpr const char* PGN_USAGE = "usage: chesstool pgn [--fen FEN]";

// The longest line of the movetext, below the 80 characters the export format allows.
constexpr int PGN_LINE_LIMIT = 79;

// Runs "pgn" with the arguments that follow the subcommand name; returns the exit status.
int runPgnCommand(int argc, char** argv);
