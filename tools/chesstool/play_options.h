// How a game against the engine is set up: the person's side, where it starts, how the
// engine searches, how the board is drawn and where the record goes; read from play's
// arguments.
#pragma once

#include <string>

#include "core/position.h"
#include "search/engine.h"
#include "tools/chesstool/game_start.h"
#include "tools/chesstool/play_clock.h"

// The engine's levels of play, 1 to 10: a fixed depth, or a time a move to deepen for.
struct PlayLevel {
    int depth;     // 0 when the level is a move time
    int moveTime;  // milliseconds; 0 when the level is a depth
};

constexpr int LEVEL_COUNT = 10;
// clang-format off
constexpr PlayLevel PLAY_LEVELS[LEVEL_COUNT] = {
    {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0},
    {0, 500}, {0, 1000}, {0, 2000}, {0, 5000},
};
// clang-format on

struct PlayOptions {
    int personSide = WHITE;
    GameStart start;
    int level = 0;  // 1 to 10, or 0 when none was named
    int depth = ROOT_DEPTH;
    int moveTime = 0;  // milliseconds to deepen for; 0 to search to the depth
    GameClock clock;   // timed when --clock was given
    bool pieces = false;
    std::string pgnPath;   // empty for no record file
    bool resume = false;   // go on with the record file's unfinished last game without asking
    std::string loadPath;  // start from the last position of this file's last game
};

// Says what a level means: "depth 3", "depth 6, as the game program", "1 s a move".
std::string levelMeaning(int level);

// Reads the arguments into options; returns EXIT_OK or the status of the error reported.
int parsePlayArguments(int argc, char** argv, PlayOptions& options);

// Asks the engine's search as the options say: the depth searched once, as the game
// program searches, or deepened until the move time is up; in a timed game deepened within
// the time the engine's clock gives, planned as the UCI engine plans it, and never deeper or
// longer than the level allows.
SearchRequest engineRequest(const PlayOptions& options, const GameClock& clock, int engineSide);

// Names the engine as the record does: its name and how it searches.
std::string engineName(const PlayOptions& options);

// Describes how the engine searches while it does.
std::string thinkingLine(const PlayOptions& options);
