#include "core/material.h"

#include "core/position.h"

namespace {

// The colours of squares bishops stand on, as bits.
constexpr int DARK_SQUARES = 1;
constexpr int LIGHT_SQUARES = 2;

// Returns the colour of a playing square: a1 (row 9, column 1) is dark.
constexpr int squareColour(int square) {
    return (rowOf(square) + columnOf(square)) % 2 == 0 ? DARK_SQUARES : LIGHT_SQUARES;
}

}  // namespace

bool neitherSideCanMate() {
    int knights = 0;
    int bishopColours = 0;
    for (int square = FIRST_PLAYING_SQUARE; square <= LAST_PLAYING_SQUARE; ++square) {
        const PieceCode type = pieceType(pos.board[square]);
        if (type == PAWN || type == ROOK || type == QUEEN) return false;
        if (type == KNIGHT) ++knights;
        if (type == BISHOP) bishopColours |= squareColour(square);
    }
    if (knights > 0) return knights == 1 && bishopColours == 0;
    return bishopColours != (DARK_SQUARES | LIGHT_SQUARES);
}
