// Writing and reading moves as text: coordinate notation (e2e4, e7e8q) and
// standard algebraic notation (Nf3, exd5, O-O, e8=Q+), and moves as a person types them.
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

// What a move typed by a person turned out to be.
enum class MoveVerdict {
    LEGAL,       // exactly one legal move fits
    AMBIGUOUS,   // several legal moves fit: the candidates
    SELF_CHECK,  // only moves that would leave the mover's king attacked fit
    ILLEGAL,     // no move of the side to move fits
    UNREADABLE,  // neither standard algebraic notation nor coordinates
};

struct MoveReading {
    MoveVerdict verdict;
    Move move;              // the move when LEGAL
    MoveList candidates;    // the legal moves that fit, in generation order
    bool bishopFromSmallB;  // LEGAL by taking a small b for the bishop, not the b-file
};

// Reads a move of the side to move written in standard algebraic notation (Nf3, exd5, Nbd2,
// O-O, O-O-O, e8=Q or e8Q, with or without "x", "+" or "#") or in coordinates (g1f3, e7e8q,
// e1g1). Piece letters are capitals and files small letters; a pawn names its file only
// when it captures; a promotion without its piece fits every promotion. Leaves the
// position as it was.
//
// It also reads moves as people type them: castling with zeros or small letters (0-0,
// o-o-o), small piece letters (nf3, qd1, b8=q, e7e8=n) and long algebraic notation (Ng1-f3,
// Ng1xf3, e2-e4, e7-e8=Q). A small b is the b-file when a b-pawn's move fits and the bishop
// when none does; when both fit, both are candidates, except that the SAN of a pawn's move
// (bxc3) always names the pawn.
MoveReading readMove(std::string_view text);

// Names a legal move of the current position in standard algebraic notation, with
// the smallest disambiguation among legal moves and a "+" or "#" suffix. Leaves the
// position as it was, its hash included.
std::string sanName(Move move);
