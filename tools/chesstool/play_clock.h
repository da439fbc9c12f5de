// The two clocks of a timed game against the engine: each side's time runs while it is to
// move, the increment is added after each of its moves, and a side whose time is spent has
// lost on time.
#pragma once

#include <cstdint>
#include <string>

#include "tools/chesstool/cli.h"

struct GameClock {
    bool timed = false;
    int64_t initial = 0;       // milliseconds each side starts with
    int64_t increment = 0;     // milliseconds added after each move
    int64_t left[2] = {0, 0};  // by sideIndex: White 0, Black 1; the running side's as at since
    int running = -1;          // the side whose time runs, or -1
    Clock::time_point since;
};

// Reads a time control written as MINUTES+INCREMENT ("5+3", "0.5+0"; minutes up to 600,
// increment seconds up to 600); false when the text is none.
bool parseTimeControl(const std::string& text, GameClock& clock);

// Reads a time control as PGN's TimeControl tag writes it, "300+3" in seconds; false when
// the text is none.
bool parseTimeControlTag(const std::string& text, GameClock& clock);

// Sets both clocks to the starting time; neither runs.
void resetClock(GameClock& clock);

// Starts the side's time running now.
void startClock(GameClock& clock, int side);

// Stops the running time; after a move (moved) the mover gets the increment.
void stopClock(GameClock& clock, bool moved);

// Returns the side's time left now, in milliseconds (negative once its flag has fallen).
int64_t timeLeft(const GameClock& clock, int side);

// Names the time control as PGN's TimeControl tag does: seconds and increment, "300+3".
std::string timeControlTag(const GameClock& clock);

// Shows both clocks: "White 4:59  Black 5:00", tenths under ten seconds.
std::string clockLine(const GameClock& clock);
