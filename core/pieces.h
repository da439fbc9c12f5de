// Where the pieces stand: each side's king, its pieces and its pawns as square sets, kept
// beside the position by the code that plays many moves on it (perft and the fast search).
#pragma once

#include "core/move.h"
#include "core/position.h"

// Indexed by sideIndex(colour): 0 for White, 1 for Black.
struct PieceSquares {
    int king[2];          // NO_SQUARE for a side without a king
    SquareSet pieces[2];  // every piece of the side, king and pawns included
    SquareSet pawns[2];
};

constexpr int sideIndex(int colour) { return colour >> 3; }

// Finds where the pieces of the global position stand.
PieceSquares findPieceSquares();

// Brings the record up to date after the move was played on the global position.
void updatePieceSquares(PieceSquares& squares, Move move);
