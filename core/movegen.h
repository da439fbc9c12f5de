// Pseudo-legal move generation in a fixed order; legality is left to makeMove.
#pragma once

#include "core/move.h"
#include "core/position.h"

// Room for every pseudo-legal move of any legal chess position (at most 218).
constexpr int MAX_MOVES = 256;

struct MoveList {
    Move moves[MAX_MOVES];
    int count;
};

// Appends a move, or its four promotions (knight, bishop, rook, queen) for a pawn
// reaching the last rank; a full list silently stops growing.
void addMove(MoveList& list, int from, int to, uint32_t flags);

// Fills the list with the pseudo-legal moves of the side to move, in generation order:
// pieces by ascending square, then castling entries, then en-passant captures.
void generateMoves(MoveList& list);

// Fills the list exactly as generateMoves does, looking only at the given squares, which
// must include every square holding a piece of the side to move.
void generateMovesOf(MoveList& list, SquareSet pieces);
