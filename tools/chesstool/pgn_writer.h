// A game record written as Portable Game Notation.
#pragma once

#include <string>

#include "tools/chesstool/game_record.h"

// The longest line of the movetext, below the 80 characters the export format allows.
constexpr int PGN_LINE_LIMIT = 79;

// The tags that name the game and its players.
struct PgnNames {
    std::string event;
    std::string white;
    std::string black;
};

// Writes the record as PGN: the Seven Tag Roster in order, SetUp and FEN when the game began
// elsewhere than the starting position, TimeControl in a timed game, and the movetext (in a
// timed game each move with the mover's clock), closed by the reason the game ended as a
// comment and the result ("*" while it goes on); the text ends with an empty line.
std::string pgnText(const GameRecord& record, const PgnNames& names);
