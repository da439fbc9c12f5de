// How a game against the engine is set up: the person's side, where it starts, how the
// engine searches, how the board is drawn and where the record goes; read from play's
// arguments.
#pragma once

#include <string>

#include "core/position.h"
#include "search/engine.h"
#include "tools/chesstool/game_start.h"

struct PlayOptions {
    int personSide = WHITE;
    GameStart start;
    int depth = ROOT_DEPTH;
    int moveTime = 0;  // milliseconds to deepen for; 0 to search to the depth
    bool pieces = false;
    std::string pgnPath;  // empty for no record file
};

// Reads the arguments into options; returns EXIT_OK or the status of the error reported.
int parsePlayArguments(int argc, char** argv, PlayOptions& options);

// Asks the engine's search as the options say: the depth searched once, as the game
// program searches, or deepened until the move time is up.
SearchRequest engineRequest(const PlayOptions& options);

// Names the engine as the record does: its name and how it searches.
std::string engineName(const PlayOptions& options);

// Describes how the engine searches while it does.
std::string thinkingLine(const PlayOptions& options);
