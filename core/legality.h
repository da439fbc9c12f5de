// Legality without playing the move, on the board alone: the pieces that give check and
// the squares that answer it, pins, whether a move leaves the mover's king safe, and the
// verdict on a whole move. Every answer here is the one makeMove would give, and nothing
// here writes to the position.
#pragma once

#include <initializer_list>

#include "core/attacks.h"
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
// other than a pawn) need the look. Inline, as perft's last ply asks at every position.
inline KingLines findKingLines(int king, int opponent, SquareSet lineHolders) {
    const PieceCode* b = pos.board;
    const int side = opponent ^ BLACK;
    const int forward = side == WHITE ? NORTH : SOUTH;
    KingLines lines{NO_CHECKERS, 0};
    for (int d : KNIGHT_STEPS) {
        if (b[king + d] == (KNIGHT | opponent)) addChecker(lines.check, king + d, 0);
    }
    for (int fileStep : {-1, 1}) {
        if (b[king + forward + fileStep] == (PAWN | opponent)) {
            addChecker(lines.check, king + forward + fileStep, 0);
        }
    }
    const SquareSet(&rays)[8] = REACH.ray[SQUARE_BITS.bitOf[king]];
    for (int k = 0; k < 8; ++k) {
        if ((rays[k] & lineHolders) == 0) continue;
        const int d = KING_STEPS[k];
        int t = king + d;
        while (b[t] == EMPTY) t += d;
        const PieceCode slider = (isStraightStep(d) ? ROOK : BISHOP) | opponent;
        if (b[t] == slider || b[t] == (QUEEN | opponent)) {
            addChecker(lines.check, t, d);
        } else if (isPieceOf(b[t], side)) {
            int u = t + d;
            while (b[u] == EMPTY) u += d;
            if (b[u] == slider || b[u] == (QUEEN | opponent)) lines.pinned |= squareSet(t);
        }
    }
    return lines;
}

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
// to 'to': a pinned piece only along the line of its pin. Inline, as most pieces stand on
// no line of their king.
inline bool keepsKingCovered(int king, int from, int to, int opponent) {
    const int line = lineStep(king, from);
    return line == 0 || lineStep(king, to) == line || !isPinned(king, from, opponent);
}

// Tells whether moving the piece on 'from' to 'to', taking the pawn on captureSquare en
// passant if there is one, leaves the king unattacked by the opponent; the king stands
// on 'king' unless it is the piece that moves.
bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare = NO_SQUARE);

// Tells whether makeMove would accept a pseudo-legal move of the side to move, without
// playing it; its king stands on 'king', and 'check' holds the pieces giving it check.
// Inline, as the frontier asks it for many moves.
inline bool isLegalUnplayed(Move move, int king, const Checkers& check) {
    const int from = moveFrom(move);
    const int to = moveTo(move);
    const int opponent = pos.side ^ BLACK;
    if (hasFlag(move, MF_CASTLE)) return check.count == 0 && isCastlingPathFree(to);
    if (hasFlag(move, MF_EN_PASSANT)) {
        const int captured = pos.side == WHITE ? to + SOUTH : to + NORTH;
        return leavesKingSafe(king, from, to, opponent, captured);
    }
    if (from == king) return leavesKingSafe(king, from, to, opponent);
    return (check.count == 0 || answersCheck(check, king, to)) &&
           keepsKingCovered(king, from, to, opponent);
}

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
