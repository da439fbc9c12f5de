#include "core/movegen.h"

namespace {

struct PieceMoves {
    int offsets[8];
    int count;
    bool slides;
};

// clang-format off
// Indexed by piece type; pawns are generated separately.
constexpr PieceMoves DIRECTIONS[KING + 1] = {
    {{}, 0, false},                                    // empty
    {{}, 0, false},                                    // pawn
    {{-21, -19, -12, -8, 8, 12, 19, 21}, 8, false},    // knight
    {{-11, -9, 9, 11}, 4, true},                       // bishop
    {{-10, -1, 1, 10}, 4, true},                       // rook
    {{-11, -10, -9, -1, 1, 9, 10, 11}, 8, true},       // queen
    {{-11, -10, -9, -1, 1, 9, 10, 11}, 8, false},      // king
};
// clang-format on

constexpr uint32_t PAWN_STEP = MF_PAWN;
constexpr uint32_t PAWN_DOUBLE_STEP = MF_PAWN | MF_DOUBLE_PUSH;
constexpr uint32_t PAWN_CAPTURE = MF_PAWN | MF_CAPTURE;
constexpr uint32_t EN_PASSANT_CAPTURE = MF_PAWN | MF_CAPTURE | MF_EN_PASSANT;

// Pawns on these rows may still make their double step.
constexpr int WHITE_PAWN_START_ROW_FIRST_SQUARE = 80;
constexpr int BLACK_PAWN_START_ROW_LAST_SQUARE = 40;
// Squares below or above these lie on the promotion ranks.
constexpr int WHITE_PROMOTION_LIMIT = 30;
constexpr int BLACK_PROMOTION_LIMIT = 90;

constexpr PieceCode WHITE_PAWN = PAWN | WHITE;
constexpr PieceCode BLACK_PAWN = PAWN | BLACK;

bool isPromotionSquare(int to) {
    return pos.side == WHITE ? to < WHITE_PROMOTION_LIMIT : to > BLACK_PROMOTION_LIMIT;
}

void appendMove(MoveList& list, Move move) {
    if (list.count < MAX_MOVES) list.moves[list.count++] = move;
}

void addWhitePawnMoves(MoveList& list, int i) {
    const PieceCode* b = pos.board;
    if (isPieceOf(b[i - 11], BLACK)) addMove(list, i, i - 11, PAWN_CAPTURE);
    if (isPieceOf(b[i - 9], BLACK)) addMove(list, i, i - 9, PAWN_CAPTURE);
    if (b[i - 10] == EMPTY) {
        addMove(list, i, i - 10, PAWN_STEP);
        if (i >= WHITE_PAWN_START_ROW_FIRST_SQUARE && b[i - 20] == EMPTY) {
            addMove(list, i, i - 20, PAWN_DOUBLE_STEP);
        }
    }
}

void addBlackPawnMoves(MoveList& list, int i) {
    const PieceCode* b = pos.board;
    if (isPieceOf(b[i + 9], WHITE)) addMove(list, i, i + 9, PAWN_CAPTURE);
    if (isPieceOf(b[i + 11], WHITE)) addMove(list, i, i + 11, PAWN_CAPTURE);
    if (b[i + 10] == EMPTY) {
        addMove(list, i, i + 10, PAWN_STEP);
        if (i <= BLACK_PAWN_START_ROW_LAST_SQUARE && b[i + 20] == EMPTY) {
            addMove(list, i, i + 20, PAWN_DOUBLE_STEP);
        }
    }
}

void addPieceMoves(MoveList& list, int i, PieceCode type) {
    const PieceMoves& piece = DIRECTIONS[type];
    const int opponent = pos.side ^ BLACK;
    for (int k = 0; k < piece.count; ++k) {
        for (int t = i + piece.offsets[k];; t += piece.offsets[k]) {
            const PieceCode target = pos.board[t];
            if (target == OFFBOARD) break;
            if (target != EMPTY) {
                if (pieceColour(target) == opponent) addMove(list, i, t, MF_CAPTURE);
                break;
            }
            addMove(list, i, t, 0);
            if (!piece.slides) break;
        }
    }
}

void addCastlingMoves(MoveList& list) {
    if (pos.side == WHITE) {
        if (pos.castling & CR_WHITE_KINGSIDE) addMove(list, E1, G1, MF_CASTLE);
        if (pos.castling & CR_WHITE_QUEENSIDE) addMove(list, E1, C1, MF_CASTLE);
    } else {
        if (pos.castling & CR_BLACK_KINGSIDE) addMove(list, E8, G8, MF_CASTLE);
        if (pos.castling & CR_BLACK_QUEENSIDE) addMove(list, E8, C8, MF_CASTLE);
    }
}

void addEnPassantMoves(MoveList& list) {
    const int ep = pos.epSquare;
    if (ep < 0) return;
    if (pos.side == WHITE) {
        if (pos.board[ep + 9] == WHITE_PAWN) addMove(list, ep + 9, ep, EN_PASSANT_CAPTURE);
        if (pos.board[ep + 11] == WHITE_PAWN) addMove(list, ep + 11, ep, EN_PASSANT_CAPTURE);
    } else {
        if (pos.board[ep - 11] == BLACK_PAWN) addMove(list, ep - 11, ep, EN_PASSANT_CAPTURE);
        if (pos.board[ep - 9] == BLACK_PAWN) addMove(list, ep - 9, ep, EN_PASSANT_CAPTURE);
    }
}

// Appends the moves of the piece on square i, if it belongs to the side to move.
void addMovesFrom(MoveList& list, int i) {
    const PieceCode p = pos.board[i];
    if (!isPieceOf(p, pos.side)) return;
    const PieceCode type = pieceType(p);
    if (type != PAWN) {
        addPieceMoves(list, i, type);
    } else if (pos.side == WHITE) {
        addWhitePawnMoves(list, i);
    } else {
        addBlackPawnMoves(list, i);
    }
}

}  // namespace

void addMove(MoveList& list, int from, int to, uint32_t flags) {
    if ((flags & MF_PAWN) && isPromotionSquare(to)) {
        for (int type = KNIGHT; type <= QUEEN; ++type) {
            appendMove(list, makeMoveCode(from, to, type, flags | MF_PROMOTION));
        }
        return;
    }
    appendMove(list, makeMoveCode(from, to, 0, flags));
}

void generateMoves(MoveList& list) {
    list.count = 0;
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) addMovesFrom(list, i);
    addCastlingMoves(list);
    addEnPassantMoves(list);
}

void generateMovesOf(MoveList& list, SquareSet pieces) {
    list.count = 0;
    for (; pieces != 0; pieces &= pieces - 1) addMovesFrom(list, firstSquare(pieces));
    addCastlingMoves(list);
    addEnPassantMoves(list);
}
