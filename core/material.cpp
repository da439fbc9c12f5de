#include "core/material.h"

#include "core/position.h"

bool neitherSideCanMate() {
    int knights = 0;
    int bishops = 0;
    int bishopSquareColours = 0;  // bit 0: a bishop on a light square, bit 1: on a dark one
    for (int square = 0; square < BOARD_SIZE; ++square) {
        const PieceCode content = pos.board[square];
        if (content == EMPTY || content == OFFBOARD) continue;
        switch (pieceType(content)) {
            case KING:
                break;
            case KNIGHT:
                ++knights;
                break;
            case BISHOP:
                ++bishops;
                bishopSquareColours |= 1 << ((rowOf(square) + columnOf(square)) % 2);
                break;
            default:
                return false;  // a pawn, rook or queen can still mate
        }
    }
    if (knights + bishops <= 1) return true;
    return knights == 0 && bishopSquareColours != 3;
}
