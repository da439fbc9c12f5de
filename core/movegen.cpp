#include "core/movegen.h"

namespace {

struct PieceMoves {
    int offsets[8];
    int count;
    bool slides;
};

// Makes a piece's entry from one of the board's step tables, keeping its order.
template <int N>
constexpr PieceMoves pieceMoves(const int (&steps)[N], bool slides) {
    PieceMoves moves{{}, N, slides};
    for (int k = 0; k < N; ++k) moves.offsets[k] = steps[k];
    return moves;
}

// Indexed by piece type, each piece's steps in the order they are tried; pawns are
// generated separately.
// clang-format off
constexpr PieceMoves DIRECTIONS[KING + 1] = {
    {{}, 0, false},                     // empty
    {{}, 0, false},                     // pawn
    pieceMoves(KNIGHT_STEPS, false),    // knight
    pieceMoves(DIAGONAL_STEPS, true),   // bishop
    pieceMoves(STRAIGHT_STEPS, true),   // rook
    pieceMoves(KING_STEPS, true),       // queen
    pieceMoves(KING_STEPS, false),      // king
};
// clang-format on

constexpr uint32_t PAWN_STEP = MF_PAWN;
constexpr uint32_t PAWN_DOUBLE_STEP = MF_PAWN | MF_DOUBLE_PUSH;
constexpr uint32_t PAWN_CAPTURE = MF_PAWN | MF_CAPTURE;
constexpr uint32_t EN_PASSANT_CAPTURE = MF_PAWN | MF_CAPTURE | MF_EN_PASSANT;

constexpr PieceCode WHITE_PAWN = PAWN | WHITE;
constexpr PieceCode BLACK_PAWN = PAWN | BLACK;

void appendMove(MoveList& list, Move move) {
    if (list.count < MAX_MOVES) list.moves[list.count++] = move;
}

void addWhitePawnMoves(MoveList& list, int i) {
    const PieceCode* b = pos.board;
    if (isPieceOf(b[i - 11], BLACK)) addMove(list, i, i - 11, PAWN_CAPTURE);
    if (isPieceOf(b[i - 9], BLACK)) addMove(list, i, i - 9, PAWN_CAPTURE);
    if (b[i - 10] == EMPTY) {
        addMove(list, i, i - 10, PAWN_STEP);
        if (isPawnStartSquare(i, WHITE) && b[i - 20] == EMPTY) {
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
        if (isPawnStartSquare(i, BLACK) && b[i + 20] == EMPTY) {
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
    if ((flags & MF_PAWN) && isPromotionSquare(to, pos.side)) {
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
