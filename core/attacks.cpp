#include "core/attacks.h"

#include "core/movegen.h"

namespace {

// clang-format off
constexpr CastlingRule CASTLING_RULES[] = {
    {G1, {F1, G1},     2, {F1, G1}, H1, F1},
    {C1, {B1, C1, D1}, 3, {C1, D1}, A1, D1},
    {G8, {F8, G8},     2, {F8, G8}, H8, F8},
    {C8, {B8, C8, D8}, 3, {C8, D8}, A8, D8},
};
// clang-format on

// Tells whether an opposing pawn stands diagonally in front of the square, ready to
// capture there; the generator-based attack test misses this on empty squares.
bool isCoveredByPawn(int square, int bySide) {
    if (bySide == BLACK) {
        return pos.board[square - 9] == (PAWN | BLACK) || pos.board[square - 11] == (PAWN | BLACK);
    }
    return pos.board[square + 9] == (PAWN | WHITE) || pos.board[square + 11] == (PAWN | WHITE);
}

bool isStepAttacked(int square, const int (&offsets)[8], PieceCode attacker) {
    for (int d : offsets) {
        if (pos.board[square + d] == attacker) return true;
    }
    return false;
}

// Tells whether the first piece along one of the rays is one of the two attackers.
bool isRayAttacked(int square, const int (&rays)[4], PieceCode slider, PieceCode queen) {
    for (int d : rays) {
        int t = square + d;
        while (pos.board[t] == EMPTY) t += d;
        if (pos.board[t] == slider || pos.board[t] == queen) return true;
    }
    return false;
}

// Pawns capture diagonally onto an opposing piece and step forward onto empty squares,
// two squares from their starting row, and capture en passant onto epSquare.
bool isPawnAttacked(int square, int bySide) {
    const PieceCode pawn = PAWN | bySide;
    const PieceCode* b = pos.board;
    const int back = bySide == WHITE ? SOUTH : NORTH;  // towards the attacking pawns
    if (isPieceOf(b[square], bySide ^ BLACK)) {
        return b[square + back - 1] == pawn || b[square + back + 1] == pawn;
    }
    if (b[square + back] == pawn) return true;
    const int doubleFrom = square + 2 * back;
    if (b[square + back] == EMPTY && isPawnStartSquare(doubleFrom, bySide) && doubleFrom >= 0 &&
        doubleFrom < BOARD_SIZE && b[doubleFrom] == pawn) {
        return true;
    }
    return square == pos.epSquare && (b[square + back - 1] == pawn || b[square + back + 1] == pawn);
}

// Tells whether the piece on 'from' attacks the square, given the board as it stands.
bool pieceAttacks(int from, int square) {
    const PieceCode piece = pos.board[from];
    const int d = square - from;
    switch (pieceType(piece)) {
        case PAWN:
            return pieceColour(piece) == WHITE ? (d == -11 || d == -9) : (d == 9 || d == 11);
        case KNIGHT:
            for (int offset : KNIGHT_STEPS) {
                if (d == offset) return true;
            }
            return false;
        case KING:
            return false;  // kings never stand next to each other
        default: {
            const int step = lineStep(from, square);
            if (step == 0) return false;
            if (pieceType(piece) == (isStraightStep(step) ? BISHOP : ROOK)) return false;
            int t = from + step;
            while (t != square && pos.board[t] == EMPTY) t += step;
            return t == square;
        }
    }
}

}  // namespace

bool isExposedThrough(int kingSquare, int through, int bySide) {
    const int d = lineStep(kingSquare, through);
    if (d == 0) return false;
    int t = kingSquare + d;
    while (pos.board[t] == EMPTY) t += d;
    const PieceCode slider = isStraightStep(d) ? ROOK : BISHOP;
    return pos.board[t] == (slider | bySide) || pos.board[t] == (QUEEN | bySide);
}

bool isAttacked(int square, int bySide) {
    const PieceCode target = pos.board[square];
    if (target == OFFBOARD || isPieceOf(target, bySide)) return false;
    return isStepAttacked(square, KNIGHT_STEPS, KNIGHT | bySide) ||
           isStepAttacked(square, KING_STEPS, KING | bySide) ||
           isRayAttacked(square, DIAGONAL_STEPS, BISHOP | bySide, QUEEN | bySide) ||
           isRayAttacked(square, STRAIGHT_STEPS, ROOK | bySide, QUEEN | bySide) ||
           isPawnAttacked(square, bySide);
}

bool isAttackedByGeneration(int square, int bySide) {
    const int savedSide = pos.side;
    pos.side = bySide;
    MoveList list;
    generateMoves(list);
    pos.side = savedSide;
    for (int k = 0; k < list.count; ++k) {
        const Move m = list.moves[k];
        if (moveTo(m) == square && !hasFlag(m, MF_CASTLE)) return true;
    }
    return false;
}

bool inCheck(int colour) {
    const PieceCode king = colour | KING;
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) {
        if (pos.board[i] == king) return isAttacked(i, colour ^ BLACK);
    }
    return false;
}

bool givesCheck(Move move, int kingSquare) {
    const int mover = pos.side ^ BLACK;
    // Castling and en passant move two pieces, a promotion changes one: ask in full.
    if (hasFlag(move, MF_CASTLE | MF_EN_PASSANT | MF_PROMOTION)) {
        return isAttacked(kingSquare, mover);
    }
    return pieceAttacks(moveTo(move), kingSquare) ||
           isExposedThrough(kingSquare, moveFrom(move), mover);
}

const CastlingRule* findCastlingRule(int kingTo) {
    for (const CastlingRule& rule : CASTLING_RULES) {
        if (rule.kingTo == kingTo) return &rule;
    }
    return nullptr;
}

bool isCastlingPathFree(int kingTo) {
    const CastlingRule* rule = findCastlingRule(kingTo);
    if (rule == nullptr) return false;
    for (int k = 0; k < rule->emptyCount; ++k) {
        if (pos.board[rule->mustBeEmpty[k]] != EMPTY) return false;
    }
    const int opponent = pos.side ^ BLACK;
    for (int square : rule->mustBeSafe) {
        if (isAttacked(square, opponent) || isCoveredByPawn(square, opponent)) return false;
    }
    return true;
}
