// The one global chess position: a 10x12 mailbox board, the side to move,
// castling rights, en-passant square, halfmove clock and the hash history.
#pragma once

#include <cstdint>

using PieceCode = int32_t;

// Square contents: piece type in the low three bits, colour in bit 3.
constexpr PieceCode EMPTY = 0;
constexpr PieceCode PAWN = 1;
constexpr PieceCode KNIGHT = 2;
constexpr PieceCode BISHOP = 3;
constexpr PieceCode ROOK = 4;
constexpr PieceCode QUEEN = 5;
constexpr PieceCode KING = 6;
constexpr PieceCode OFFBOARD = 7;
constexpr PieceCode TYPE_MASK = 7;

// Colours are the colour bit itself; the opponent of c is c ^ BLACK.
constexpr int WHITE = 0;
constexpr int BLACK = 8;
constexpr int COLOUR_MASK = 8;

constexpr int BOARD_SIZE = 120;
constexpr int HISTORY_SIZE = 1200;
constexpr int NO_SQUARE = -1;

// Board geometry: index = 10 * row + column; rows 2..9 are ranks 8..1,
// columns 1..8 are files a..h.
constexpr int ROW_WIDTH = 10;
constexpr int FIRST_PLAYING_SQUARE = 21;  // a8
constexpr int LAST_PLAYING_SQUARE = 98;   // h1
constexpr int NORTH = -10;                // one rank towards rank 8
constexpr int SOUTH = 10;                 // one rank towards rank 1

// Steps on the board: a knight's jumps, a king's steps (also the queen's rays), and the
// bishop's and rook's rays, each in the order the move generator tries them.
// clang-format off
inline constexpr int KNIGHT_STEPS[8]   = {-21, -19, -12, -8, 8, 12, 19, 21};
inline constexpr int KING_STEPS[8]     = {-11, -10, -9, -1, 1, 9, 10, 11};
inline constexpr int DIAGONAL_STEPS[4] = {-11, -9, 9, 11};
inline constexpr int STRAIGHT_STEPS[4] = {-10, -1, 1, 10};
// clang-format on
constexpr bool isStraightStep(int step) {
    return step == NORTH || step == SOUTH || step == 1 || step == -1;
}

// The rows of the pawns: each side's start, from which its pawns may make their double
// step, the row that step passes over (where an en-passant square lies), and the row on
// which they promote.
// clang-format off
constexpr int WHITE_PAWN_START_ROW  = 8;  // rank 2
constexpr int BLACK_PAWN_START_ROW  = 3;  // rank 7
constexpr int WHITE_DOUBLE_STEP_ROW = WHITE_PAWN_START_ROW - 1;
constexpr int BLACK_DOUBLE_STEP_ROW = BLACK_PAWN_START_ROW + 1;
constexpr int WHITE_PROMOTION_ROW   = 2;  // rank 8
constexpr int BLACK_PROMOTION_ROW   = 9;  // rank 1
// clang-format on

// Tells whether a pawn of the colour on the square stands on its starting row; pawns
// never stand on their own first rank.
constexpr bool isPawnStartSquare(int square, int colour) {
    return colour == WHITE ? square >= WHITE_PAWN_START_ROW * ROW_WIDTH
                           : square < (BLACK_PAWN_START_ROW + 1) * ROW_WIDTH;
}
// Tells whether a pawn of the colour promotes on reaching the square.
constexpr bool isPromotionSquare(int square, int colour) {
    return colour == WHITE ? square < (WHITE_PROMOTION_ROW + 1) * ROW_WIDTH
                           : square >= BLACK_PROMOTION_ROW * ROW_WIDTH;
}

// The fixed squares of kings and rooks on their starting ranks.
// clang-format off
constexpr int A8 = 21, B8 = 22, C8 = 23, D8 = 24, E8 = 25, F8 = 26, G8 = 27, H8 = 28;
constexpr int A1 = 91, B1 = 92, C1 = 93, D1 = 94, E1 = 95, F1 = 96, G1 = 97, H1 = 98;
// clang-format on

// Castling-right bits.
constexpr int CR_WHITE_KINGSIDE = 1;
constexpr int CR_WHITE_QUEENSIDE = 2;
constexpr int CR_BLACK_KINGSIDE = 4;
constexpr int CR_BLACK_QUEENSIDE = 8;
constexpr int CR_ALL = 15;

constexpr PieceCode pieceType(PieceCode p) { return p & TYPE_MASK; }
constexpr int pieceColour(PieceCode p) { return p & COLOUR_MASK; }
// True for a piece of the given colour; empty and edge squares belong to no one.
constexpr bool isPieceOf(PieceCode p, int colour) {
    return p != EMPTY && p != OFFBOARD && pieceColour(p) == colour;
}
constexpr int rowOf(int square) { return square / ROW_WIDTH; }
constexpr int columnOf(int square) { return square % ROW_WIDTH; }
constexpr bool isPlayingSquare(int square) {
    return square >= 0 && square < BOARD_SIZE && rowOf(square) >= 2 && rowOf(square) <= 9 &&
           columnOf(square) >= 1 && columnOf(square) <= 8;
}

// A set of playing squares as 64 bits, one per square in ascending square order:
// bit 8 * (row - 2) + (column - 1).
using SquareSet = uint64_t;
constexpr SquareSet EVERY_SQUARE = ~SquareSet{0};

struct SquareBits {
    int8_t bitOf[BOARD_SIZE];  // -1 for an edge square
    int8_t squareOf[64];
    constexpr SquareBits() : bitOf(), squareOf() {
        for (int square = 0; square < BOARD_SIZE; ++square) {
            const bool playing = isPlayingSquare(square);
            const int bit = 8 * (rowOf(square) - 2) + columnOf(square) - 1;
            bitOf[square] = static_cast<int8_t>(playing ? bit : -1);
            if (playing) squareOf[bit] = static_cast<int8_t>(square);
        }
    }
};
inline constexpr SquareBits SQUARE_BITS;

constexpr SquareSet squareSet(int square) { return SquareSet{1} << SQUARE_BITS.bitOf[square]; }
// Returns the lowest square of a non-empty set.
inline int firstSquare(SquareSet set) { return SQUARE_BITS.squareOf[__builtin_ctzll(set)]; }
// Returns the highest square of a non-empty set.
inline int lastSquare(SquareSet set) { return SQUARE_BITS.squareOf[63 - __builtin_clzll(set)]; }

struct Position {
    PieceCode board[BOARD_SIZE];
    int32_t side;
    int32_t epSquare;
    int32_t castling;
    int32_t halfmoveClock;
    int32_t historyCount;
    uint32_t hash;
    uint32_t history[HISTORY_SIZE];
};

// What a move can change, apart from the side to move and the hash.
struct PositionSnapshot {
    PieceCode board[BOARD_SIZE];
    int32_t castling;
    int32_t epSquare;
    int32_t halfmoveClock;
    int32_t historyCount;
};

// The position of this thread: the game's, or a perft or search thread's own. Defined
// here so that every access is a plain offset from the thread pointer.
inline thread_local Position pos;
extern const PieceCode INITIAL_BOARD[BOARD_SIZE];

// Sets up the standard starting position with White to move; the history is left alone.
void setupInitialPosition();

// Recomputes pos.hash from the board, the castling rights and the en-passant square.
void computeHash();

// Counts how often the current hash occurs among the last halfmoveClock history entries.
int countRepetitions();

// Appends pos.hash to the history while there is room.
void recordHash();

void takeSnapshot(PositionSnapshot& snapshot);
void restoreSnapshot(const PositionSnapshot& snapshot);

// Takes back a move played since the snapshot was taken: hands the turn back to the mover
// and copies the snapshot back. The hash is left as the move computed it.
void undoMove(const PositionSnapshot& snapshot);

// The halfmove clock at which the game is drawn.
constexpr int FIFTY_MOVE_LIMIT = 100;
