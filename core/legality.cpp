#include "core/legality.h"

#include <initializer_list>

#include "core/attacks.h"

Checkers findCheckers(int king, int bySide) {
    Checkers checkers{0, NO_SQUARE, 0};
    const PieceCode* b = pos.board;
    for (int d : KNIGHT_STEPS) {
        if (b[king + d] == (KNIGHT | bySide)) addChecker(checkers, king + d, 0);
    }
    const int pawnRow = bySide == WHITE ? SOUTH : NORTH;  // where its pawns would stand
    for (int side : {-1, 1}) {
        if (b[king + pawnRow + side] == (PAWN | bySide)) {
            addChecker(checkers, king + pawnRow + side, 0);
        }
    }
    for (int d : KING_STEPS) {
        int t = king + d;
        while (b[t] == EMPTY) t += d;
        const PieceCode slider = (isStraightStep(d) ? ROOK : BISHOP) | bySide;
        if (b[t] == slider || b[t] == (QUEEN | bySide)) addChecker(checkers, t, d);
    }
    return checkers;
}

bool answersCheck(const Checkers& checkers, int king, int to) {
    if (checkers.count != 1) return false;
    if (to == checkers.square) return true;
    if (checkers.step == 0) return false;
    for (int t = king + checkers.step; t != checkers.square; t += checkers.step) {
        if (t == to) return true;
    }
    return false;
}

bool isPinned(int king, int square, int opponent) {
    const int d = lineStep(king, square);
    if (d == 0) return false;
    int t = king + d;
    while (pos.board[t] == EMPTY) t += d;
    return t == square && isExposedThrough(square, square + d, opponent);
}

bool keepsKingCovered(int king, int from, int to, int opponent) {
    return !isPinned(king, from, opponent) || lineStep(king, to) == lineStep(king, from);
}

bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare) {
    PieceCode* b = pos.board;
    const PieceCode savedTo = b[to];
    const PieceCode savedCapture = captureSquare == NO_SQUARE ? EMPTY : b[captureSquare];
    b[to] = b[from];
    b[from] = EMPTY;
    if (captureSquare != NO_SQUARE) b[captureSquare] = EMPTY;
    const bool safe = !isAttacked(from == king ? to : king, opponent);
    if (captureSquare != NO_SQUARE) b[captureSquare] = savedCapture;
    b[from] = b[to];
    b[to] = savedTo;
    return safe;
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
