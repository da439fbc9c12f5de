// Legality without playing the move: the pieces that give check and the moves that
// answer it, pins, and whether a move leaves the mover's king safe. Every answer here is
// the one makeMove would give.
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

// Adds a piece giving check from the square; a slider's step from the king towards it,
// or 0. The first one added is the one kept.
inline void addChecker(Checkers& checkers, int square, int step) {
    if (checkers.count++ == 0) {
        checkers.square = square;
        checkers.step = step;
    }
}

// Finds the pieces of bySide that attack the king on the given square.
Checkers findCheckers(int king, int bySide);

// Tells whether a move of a piece other than the king onto the square can answer the
// check: by taking the only checker or by stepping between it and the king.
bool answersCheck(const Checkers& checkers, int king, int to);

// Tells whether the piece on the square is the only one between the king and a slider
// of the opponent that moves along their line.
bool isPinned(int king, int square, int opponent);

// Tells whether a piece other than the king, its king not in check, may go from 'from'
// to 'to': a pinned piece only along the line of its pin.
bool keepsKingCovered(int king, int from, int to, int opponent);

// Tells whether moving the piece on 'from' to 'to', taking the pawn on captureSquare en
// passant if there is one, leaves the king unattacked by the opponent; the king stands
// on 'king' unless it is the piece that moves. The board is put back.
bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare = NO_SQUARE);

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
