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

// Tells whether the square is empty once the change is made. For a king's own move
// (KING_MOVE) the to-square is the one asked about, never looked at, and nothing else is
// taken.
template <bool KING_MOVE>
bool isEmptyAfter(const BoardChange& c, int t) {
    if (pos.board[t] == EMPTY) return KING_MOVE || t != c.to;
    return t == c.from || (!KING_MOVE && t == c.captured);
}

// Tells whether the square holds the opposing piece once the change is made: the mover's
// from-square never held one.
template <bool KING_MOVE>
bool holdsAfter(const BoardChange& c, int t, PieceCode piece) {
    return pos.board[t] == piece && (KING_MOVE || (t != c.to && t != c.captured));
}

template <bool KING_MOVE>
bool isStepAttackedAfter(const BoardChange& c, int square, const int (&steps)[8], PieceCode by) {
    for (int d : steps) {
        if (holdsAfter<KING_MOVE>(c, square + d, by)) return true;
    }
    return false;
}

// Tells whether the first piece along one of the rays is one of the two attackers, once
// the change is made.
template <bool KING_MOVE>
bool isRayAttackedAfter(const BoardChange& c, int square, const int (&rays)[4], PieceCode slider,
                        PieceCode queen) {
    for (int d : rays) {
        int t = square + d;
        while (isEmptyAfter<KING_MOVE>(c, t)) t += d;
        if (holdsAfter<KING_MOVE>(c, t, slider) || holdsAfter<KING_MOVE>(c, t, queen)) return true;
    }
    return false;
}

// Tells whether the opponent attacks a king standing on the square once the change is
// made: as isAttacked sees a square holding a piece, pawns attack it diagonally only.
template <bool KING_MOVE>
bool isKingAttackedAfter(const BoardChange& c, int square, int opponent) {
    const int towardsPawns = opponent == WHITE ? SOUTH : NORTH;
    for (int fileStep : {-1, 1}) {
        if (holdsAfter<KING_MOVE>(c, square + towardsPawns + fileStep, PAWN | opponent))
            return true;
    }
    return isStepAttackedAfter<KING_MOVE>(c, square, KNIGHT_STEPS, KNIGHT | opponent) ||
           isStepAttackedAfter<KING_MOVE>(c, square, KING_STEPS, KING | opponent) ||
           isRayAttackedAfter<KING_MOVE>(c, square, DIAGONAL_STEPS, BISHOP | opponent,
                                         QUEEN | opponent) ||
           isRayAttackedAfter<KING_MOVE>(c, square, STRAIGHT_STEPS, ROOK | opponent,
                                         QUEEN | opponent);
}

}  // namespace

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

SquareSet pinLine(int king, int pinned) {
    const int d = lineStep(king, pinned);
    SquareSet line = 0;
    for (int t = king + d; pos.board[t] != OFFBOARD; t += d) line |= squareSet(t);
    return line;
}

bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare) {
    const BoardChange change{from, captureSquare, to};
    if (from == king) return !isKingAttackedAfter<true>(change, to, opponent);
    return !isKingAttackedAfter<false>(change, king, opponent);
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
