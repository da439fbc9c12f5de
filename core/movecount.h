// Counting the legal moves of a position without playing them: perft's last ply.
#pragma once

#include "core/pieces.h"

// Counts the moves of the side to move that makeMove would accept among those
// generateMoves lists, without playing them; the record tells where the pieces stand.
// Only where the pieces could have more moves than a move list holds (MAX_MOVES, which
// takes a pile of promoted pieces) does it play the moves one by one.
int countLegalMoves(const PieceSquares& squares);

// Counts the legal moves in the same way, finding where the pieces stand first.
int countLegalMoves();
