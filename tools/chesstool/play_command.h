// The play subcommand: a game between a person and the engine, on the watch view.
#pragma once

constexpr const char* PLAY_USAGE =
    "usage: chesstool play [--black] [--fen FEN | --load FILE] "
    "[--depth N | --movetime MS | --level 1..10] [--clock MINUTES+INCREMENT] [--pieces] "
    "[--pgn FILE [--resume]]";

// Runs "play" with the arguments that follow the subcommand name; returns the exit status.
int runPlayCommand(int argc, char** argv);
