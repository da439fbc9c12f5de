// Legality without playing the move, on the board alone: the pieces that give check and
// the squares that answer it, pins, whether a move leaves the mover's king safe, and the
// verdict on a whole move. Every answer here is the one makeMove would give, and nothing
// here writes to the position.
#pragma once

#include "core/move.h"
#include "core/position.h"

// The pieces that give check: how many, the first found, and for a slider the step
// from the king towards it (0 for a knight or a pawn).
struct Checkers {
    int count;
    int square;
    int step;
};

constexpr Checkers NO_CHECKERS{0, NO_SQUARE, 0};

// Adds a piece giving check from the square; a slider's step from the king towards it,
// or 0. The first one added is the one kept.
inline void addChecker(Checkers& checkers, int square, int step) {
    if (checkers.count++ == 0) {
        checkers.square = square;
        checkers.step = step;
    }
}

// What stands on the lines of a king: the opposing pieces giving check and the pieces of
// the king's side that stand alone between it and an opposing slider.
struct KingLines {
    Checkers check;
    SquareSet pinned;
};

// Finds the checkers and pins of the king on the given square, in one look along its
// lines; only lines holding a square of 'lineHolders' (at least every opposing piece
// other than a pawn) need the look.
KingLines findKingLines(int king, int opponent, SquareSet lineHolders);

// Finds the pieces of bySide that attack the king on the given square.
Checkers findCheckers(int king, int bySide);

// Returns the squares where a move of a piece other than the king answers the check: the
// only checker's and those between it and the king; none in double check.
SquareSet checkAnswers(const Checkers& checkers, int king);

// Tells whether a move of a piece other than the king onto the square can answer the
// check: by taking the only checker or by stepping between it and the king.
bool answersCheck(const Checkers& checkers, int king, int to);

// Tells whether the piece on the square is the only one between the king and a slider
// of the opponent that moves along their line.
bool isPinned(int king, int square, int opponent);

// Returns the squares a piece pinned to the king may go to: its pin's line from the king
// on to the edge.
SquareSet pinLine(int king, int pinned);

// Tells whether a piece other than the king, its king not in check, may go from 'from'
// to 'to': a pinned piece only along the line of its pin.
bool keepsKingCovered(int king, int from, int to, int opponent);

// Tells whether moving the piece on 'from' to 'to', taking the pawn on captureSquare en
// passant if there is one, leaves the king unattacked by the opponent; the king stands
// on 'king' unless it is the piece that moves.
bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare = NO_SQUARE);

// Tells whether makeMove would accept a pseudo-legal move of the side to move, without
// playing it; its king stands on 'king', and 'check' holds the pieces giving it check.
bool isLegalUnplayed(Move move, int king, const Checkers& check);

// Tells, before a move of the side to move is played, whether it is refused for leaving
// a check unanswered: a move of a piece other than the king, not en passant, that
// neither takes the only checker nor steps between it and the king.
bool leavesCheckUnanswered(Move move, const Checkers& check, int king);

// Tells, after a move was played with playPseudoLegal, whether it left the mover's king
// attacked by the side now to move. The king stood on kingBefore and stands on kingNow;
// a check the mover was in must have been answered (leavesCheckUnanswered). Only a king
// move and en passant need the full attack test; any other move can only open the line
// through its from-square.
bool exposesOwnKing(Move move, int kingBefore, int kingNow);
