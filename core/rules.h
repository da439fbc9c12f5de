// Playing moves: makeMove, which decides legality, and the list of legal moves.
#pragma once

#include "core/move.h"
#include "core/movegen.h"

// Lists the squares whose contents a move changes: its own two, and a castling rook's
// two or the square of a pawn taken en passant. Returns how many (at most 4).
int changedSquares(Move move, int* squares);

// Plays a pseudo-legal move and hands the turn to the opponent, without asking whether
// the mover's king is left attacked and without recording the hash. Returns false,
// having changed nothing, for a piece of the wrong colour or a castling move whose
// conditions fail. The caller judges the king and undoes the move from its snapshot.
bool playPseudoLegal(Move move);

// Plays a pseudo-legal move on the global position and records the new hash.
// Returns false, leaving the position exactly as it was, when the move is illegal.
bool makeMove(Move move);

// Fills the list with the moves makeMove accepts, in generation order. Leaves the position
// as it was, its hash and history included.
void generateLegalMoves(MoveList& list);
