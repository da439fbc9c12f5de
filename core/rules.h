// Legality and playing moves: the attack test, the check test and makeMove.
#pragma once

#include "core/move.h"
#include "core/movegen.h"

// Tells whether bySide attacks the square: whether one of its pseudo-legal moves,
// castling entries aside, ends there. Pawn steps onto an empty square count.
// Looks outward from the square for knights, kings, pawns and sliders.
bool isAttacked(int square, int bySide);

// Answers the same question by generating all of bySide's moves: the definition
// that isAttacked is checked against.
bool isAttackedByGeneration(int square, int bySide);

// Tells whether a move just played checks the king of the side now to move, standing on
// kingSquare, given that this king was not attacked before: by the piece that moved or
// along the line it opened.
bool givesCheck(Move move, int kingSquare);

// Lists the squares whose contents a move changes: its own two, and a castling rook's
// two or the square of a pawn taken en passant. Returns how many (at most 4).
int changedSquares(Move move, int* squares);

// Tells whether castling with the king going to kingTo meets its conditions apart from
// the king not being in check: the squares between king and rook are empty, and none the
// king passes or lands on is attacked or covered by an opposing pawn's diagonal.
bool isCastlingPathFree(int kingTo);

// Tells whether the king of the given colour is attacked; false when it has no king.
bool inCheck(int colour);

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
