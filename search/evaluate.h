// Material evaluation.
#pragma once

#include "core/move.h"

// Pawn 1, knight 3, bishop 3, rook 5, queen 9, king 15; indexed by piece type.
constexpr int PIECE_VALUES[8] = {0, 1, 3, 3, 5, 9, 15, 0};

// Returns the material balance from the point of view of the side to move.
int evaluate();

// Returns the material a pseudo-legal move wins for the side to move, before it is made:
// the piece it takes (a pawn en passant) and what a promotion adds.
int materialGain(Move move);
