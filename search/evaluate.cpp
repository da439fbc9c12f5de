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

int materialGain(Move move) {
    int gain = 0;
    if (hasFlag(move, MF_EN_PASSANT)) {
        gain = PIECE_VALUES[PAWN];
    } else if (hasFlag(move, MF_CAPTURE)) {
        gain = PIECE_VALUES[pieceType(pos.board[moveTo(move)])];
    }
    if (hasFlag(move, MF_PROMOTION)) gain += PIECE_VALUES[movePromotion(move)] - PIECE_VALUES[PAWN];
    return gain;
}
