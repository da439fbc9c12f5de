#include "search/evaluate.h"

#include "core/position.h"

int evaluate() {
    int s = 0;
    for (int i = 0; i < BOARD_SIZE; ++i) {
        const PieceCode p = pos.board[i];
        s += pieceColour(p) == BLACK ? -PIECE_VALUES[pieceType(p)] : PIECE_VALUES[pieceType(p)];
    }
    return pos.side == WHITE ? s : -s;
}
