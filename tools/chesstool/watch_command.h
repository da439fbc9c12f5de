// The watch subcommand: the program's own game drawn as a paced, readable view.
#pragma once

constexpr const char* WATCH_USAGE =
    "usage: chesstool watch [--fen FEN] [--delay SECONDS] [--pieces]";

// Runs "watch" with the arguments that follow the subcommand name; returns the exit status.
int runWatchCommand(int argc, char** argv);
