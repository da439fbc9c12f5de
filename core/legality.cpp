#include "core/legality.h"

#include <initializer_list>

#include "core/attacks.h"

namespace {

// A move as the king's safety sees it: the squares it empties (its from-square and that
// of a pawn taken en passant) and the one it fills.
struct BoardChange {
    int from;
    int captured;
    int to;
};

// Tells whether the square is empty once the change is made.
bool isEmptyAfter(const BoardChange& c, int t) {
    return t != c.to && (pos.board[t] == EMPTY || t == c.from || t == c.captured);
}

// Tells whether the square holds the piece once the change is made; the piece the move
// brings is the mover's, never the one asked for.
bool holdsAfter(const BoardChange& c, int t, PieceCode piece) {
    return pos.board[t] == piece && t != c.to && t != c.from && t != c.captured;
}

bool isStepAttackedAfter(const BoardChange& c, int square, const int (&steps)[8], PieceCode by) {
    for (int d : steps) {
        if (holdsAfter(c, square + d, by)) return true;
    }
    return false;
}

// Tells whether the first piece along one of the rays is one of the two attackers, once
// the change is made.
bool isRayAttackedAfter(const BoardChange& c, int square, const int (&rays)[4], PieceCode slider,
                        PieceCode queen) {
    for (int d : rays) {
        int t = square + d;
        while (isEmptyAfter(c, t)) t += d;
        if (holdsAfter(c, t, slider) || holdsAfter(c, t, queen)) return true;
    }
    return false;
}

// Tells whether the opponent attacks a king standing on the square once the change is
// made: as isAttacked sees a square holding a piece, pawns attack it diagonally only.
bool isKingAttackedAfter(const BoardChange& c, int square, int opponent) {
    const int towardsPawns = opponent == WHITE ? SOUTH : NORTH;
    for (int fileStep : {-1, 1}) {
        if (holdsAfter(c, square + towardsPawns + fileStep, PAWN | opponent)) return true;
    }
    return isStepAttackedAfter(c, square, KNIGHT_STEPS, KNIGHT | opponent) ||
           isStepAttackedAfter(c, square, KING_STEPS, KING | opponent) ||
           isRayAttackedAfter(c, square, DIAGONAL_STEPS, BISHOP | opponent, QUEEN | opponent) ||
           isRayAttackedAfter(c, square, STRAIGHT_STEPS, ROOK | opponent, QUEEN | opponent);
}

}  // namespace

KingLines findKingLines(int king, int opponent, SquareSet lineHolders) {
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

Checkers findCheckers(int king, int bySide) {
    return findKingLines(king, bySide, EVERY_SQUARE).check;
}

SquareSet checkAnswers(const Checkers& checkers, int king) {
    if (checkers.count != 1) return 0;
    SquareSet squares = squareSet(checkers.square);
    if (checkers.step == 0) return squares;
    for (int t = king + checkers.step; t != checkers.square; t += checkers.step) {
        squares |= squareSet(t);
    }
    return squares;
}

bool answersCheck(const Checkers& checkers, int king, int to) {
    return (checkAnswers(checkers, king) & squareSet(to)) != 0;
}

bool isPinned(int king, int square, int opponent) {
    const int d = lineStep(king, square);
    if (d == 0) return false;
    int t = king + d;
    while (pos.board[t] == EMPTY) t += d;
    return t == square && isExposedThrough(square, square + d, opponent);
}

SquareSet pinLine(int king, int pinned) {
    const int d = lineStep(king, pinned);
    SquareSet line = 0;
    for (int t = king + d; pos.board[t] != OFFBOARD; t += d) line |= squareSet(t);
    return line;
}

bool keepsKingCovered(int king, int from, int to, int opponent) {
    return !isPinned(king, from, opponent) || lineStep(king, to) == lineStep(king, from);
}

bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare) {
    return !isKingAttackedAfter({from, captureSquare, to}, from == king ? to : king, opponent);
}

bool isLegalUnplayed(Move move, int king, const Checkers& check) {
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

bool leavesCheckUnanswered(Move move, const Checkers& check, int king) {
    if (check.count == 0 || moveFrom(move) == king || hasFlag(move, MF_EN_PASSANT)) return false;
    return !answersCheck(check, king, moveTo(move));
}

bool exposesOwnKing(Move move, int kingBefore, int kingNow) {
    const int from = moveFrom(move);
    if (from == kingBefore || hasFlag(move, MF_EN_PASSANT)) return isAttacked(kingNow, pos.side);
    return isExposedThrough(kingBefore, from, pos.side);
}
