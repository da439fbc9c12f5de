#include "core/rules.h"

#include "core/attacks.h"
#include "core/movegen.h"
#include "core/position.h"

namespace {

// Rights kept when a move starts or ends on a square; edge squares keep none.
// clang-format off
constexpr int CASTLE_MASK[BOARD_SIZE] = {
     0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  7, 15, 15, 15,  3, 15, 15, 11,  0,
     0, 15, 15, 15, 15, 15, 15, 15, 15,  0,
     0, 15, 15, 15, 15, 15, 15, 15, 15,  0,
     0, 15, 15, 15, 15, 15, 15, 15, 15,  0,
     0, 15, 15, 15, 15, 15, 15, 15, 15,  0,
     0, 15, 15, 15, 15, 15, 15, 15, 15,  0,
     0, 15, 15, 15, 15, 15, 15, 15, 15,  0,
     0, 13, 15, 15, 15, 12, 15, 15, 14,  0,
     0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
};
// clang-format on

// Checks the castling conditions and moves the rook; the king moves as any other piece.
bool castleRook(int kingTo) {
    if (inCheck(pos.side) || !isCastlingPathFree(kingTo)) return false;
    const CastlingRule* rule = findCastlingRule(kingTo);
    pos.board[rule->rookTo] = pos.board[rule->rookFrom];
    pos.board[rule->rookFrom] = EMPTY;
    return true;
}

}  // namespace

int changedSquares(Move move, int* squares) {
    const int to = moveTo(move);
    int n = 0;
    squares[n++] = moveFrom(move);
    squares[n++] = to;
    if (hasFlag(move, MF_CASTLE)) {
        const CastlingRule* rule = findCastlingRule(to);
        squares[n++] = rule->rookFrom;
        squares[n++] = rule->rookTo;
    } else if (hasFlag(move, MF_EN_PASSANT)) {
        // The pawn taken stands behind the square passed over, seen from the capturer.
        squares[n++] = rowOf(to) == BLACK_DOUBLE_STEP_ROW ? to + SOUTH : to + NORTH;
    }
    return n;
}

bool playPseudoLegal(Move move) {
    const int from = moveFrom(move);
    const int to = moveTo(move);
    const uint32_t flags = moveFlags(move);
    // 1. Only the side to move may move, and castling has conditions of its own.
    if (pieceColour(pos.board[from]) != pos.side) return false;
    if ((flags & MF_CASTLE) && !castleRook(to)) return false;

    // 2. Rights, en-passant square and clock.
    pos.castling &= CASTLE_MASK[from] & CASTLE_MASK[to];
    pos.epSquare = NO_SQUARE;
    if (flags & MF_DOUBLE_PUSH) pos.epSquare = pos.side == WHITE ? to + SOUTH : to + NORTH;
    pos.halfmoveClock = (flags & (MF_CAPTURE | MF_PAWN)) ? 0 : pos.halfmoveClock + 1;

    // 3. The piece itself, then the pawn taken en passant.
    const PieceCode piece = pos.board[from];
    pos.board[to] = (flags & MF_PROMOTION) ? (movePromotion(move) | pieceColour(piece)) : piece;
    pos.board[from] = EMPTY;
    if (flags & MF_EN_PASSANT) pos.board[pos.side == WHITE ? to + SOUTH : to + NORTH] = EMPTY;
    pos.side ^= BLACK;
    return true;
}

bool makeMove(Move move) {
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    if (!playPseudoLegal(move)) return false;
    // A move that leaves the mover's own king attacked is taken back.
    if (inCheck(pos.side ^ BLACK)) {
        undoMove(snapshot);
        return false;
    }
    computeHash();
    recordHash();
    return true;
}

void generateLegalMoves(MoveList& list) {
    MoveList pseudo;
    generateMoves(pseudo);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    const uint32_t hash = pos.hash;
    list.count = 0;
    for (int k = 0; k < pseudo.count; ++k) {
        if (!makeMove(pseudo.moves[k])) continue;
        undoMove(snapshot);
        pos.hash = hash;
        list.moves[list.count++] = pseudo.moves[k];
    }
}
