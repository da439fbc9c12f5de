#include "core/pieces.h"

#include "core/rules.h"

PieceSquares findPieceSquares() {
    PieceSquares squares{{NO_SQUARE, NO_SQUARE}, {0, 0}, {0, 0}};
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) {
        const PieceCode p = pos.board[i];
        if (p == EMPTY || p == OFFBOARD) continue;
        const int owner = sideIndex(pieceColour(p));
        squares.pieces[owner] |= squareSet(i);
        if (pieceType(p) == KING) squares.king[owner] = i;
        if (pieceType(p) == PAWN) squares.pawns[owner] |= squareSet(i);
    }
    return squares;
}

void updatePieceSquares(PieceSquares& squares, Move move) {
    const int mover = sideIndex(pos.side ^ BLACK);
    if (moveFrom(move) == squares.king[mover]) squares.king[mover] = moveTo(move);
    const SquareSet to = squareSet(moveTo(move));
    squares.pawns[mover ^ 1] &= ~to;
    if (hasFlag(move, MF_PAWN)) {
        const SquareSet promoted = hasFlag(move, MF_PROMOTION) ? to : 0;
        squares.pawns[mover] ^= squareSet(moveFrom(move)) | (to ^ promoted);
    }
    if (!hasFlag(move, MF_CASTLE | MF_EN_PASSANT)) {
        squares.pieces[mover] ^= squareSet(moveFrom(move)) | to;
        squares.pieces[mover ^ 1] &= ~to;
        return;
    }
    // Castling moves a rook as well, en passant takes a pawn beside the to-square.
    int changed[4];
    const int n = changedSquares(move, changed);
    for (int k = 0; k < n; ++k) {
        const SquareSet bit = squareSet(changed[k]);
        squares.pieces[0] &= ~bit;
        squares.pieces[1] &= ~bit;
        const PieceCode p = pos.board[changed[k]];
        if (p != EMPTY) squares.pieces[sideIndex(pieceColour(p))] |= bit;
        if (p == EMPTY) squares.pawns[mover ^ 1] &= ~bit;
    }
}
