// Writing and reading moves as text: coordinate notation (e2e4, e7e8q) and
// standard algebraic notation (Nf3, exd5, O-O, e8=Q+).
#pragma once

#include <string>
#include <string_view>

#include "core/movegen.h"

// Names a move in coordinate notation: from-square, to-square and a lower-case
// promotion letter ("e2e4", "e7e8q", "e1g1"); "0000" for NO_MOVE.
std::string coordinateName(Move move);

// Finds the legal move of the current position that the coordinate text names;
// NO_MOVE when the text is malformed or names no legal move. A promotion needs its letter.
Move parseCoordinateMove(std::string_view text);

// Names a legal move of the current position in standard algebraic notation, with
// the smallest disambiguation among legal moves and a "+" or "#" suffix. Leaves the
// position as it was, its hash included.
std::string sanName(Move move);
