// The lines of the board and what stands on them: whether a side attacks a square,
// whether a king is in check, whether a move just played gives check, and whether the
// path of a castling king is free. Changes nothing on the board.
#pragma once

#include "core/move.h"
#include "core/position.h"

constexpr int signOf(int x) { return (x > 0) - (x < 0); }

// The steps between every pair of playing squares that share a line.
struct LineTable {
    int8_t step[BOARD_SIZE][BOARD_SIZE];
    constexpr LineTable() : step() {
        for (int a = 0; a < BOARD_SIZE; ++a) {
            for (int b = 0; b < BOARD_SIZE; ++b) {
                if (a == b || !isPlayingSquare(a) || !isPlayingSquare(b)) continue;
                const int rows = rowOf(b) - rowOf(a);
                const int columns = columnOf(b) - columnOf(a);
                if (rows == 0 || columns == 0 || rows == columns || rows == -columns) {
                    step[a][b] = static_cast<int8_t>(signOf(rows) * ROW_WIDTH + signOf(columns));
                }
            }
        }
    }
};
inline constexpr LineTable LINES;

// Returns the step from one playing square towards another on the same rank, file or
// diagonal, or 0 when they share no line.
inline int lineStep(int from, int to) { return LINES.step[from][to]; }

// From every playing square, indexed by its bit: the squares along each of the king's
// steps (in KING_STEPS order) to the edge, and the squares a knight or a king reaches.
struct ReachTable {
    SquareSet ray[64][8];
    SquareSet knight[64];
    SquareSet king[64];
    constexpr ReachTable() : ray(), knight(), king() {
        for (int square = 0; square < BOARD_SIZE; ++square) {
            if (!isPlayingSquare(square)) continue;
            const int bit = SQUARE_BITS.bitOf[square];
            for (int k = 0; k < 8; ++k) {
                const int d = KING_STEPS[k];
                for (int t = square + d; isPlayingSquare(t); t += d) ray[bit][k] |= squareSet(t);
                if (isPlayingSquare(square + d)) king[bit] |= squareSet(square + d);
                const int jump = square + KNIGHT_STEPS[k];
                if (isPlayingSquare(jump)) knight[bit] |= squareSet(jump);
            }
        }
    }
};
inline constexpr ReachTable REACH;

// Tells whether the first piece on the line from kingSquare through 'through' is a
// slider of bySide that moves along that line: whether emptying 'through' exposes the
// king. Nothing is assumed about pieces other than those on that line.
bool isExposedThrough(int kingSquare, int through, int bySide);

// Tells whether bySide attacks the square: whether one of its pseudo-legal moves,
// castling entries aside, ends there. Pawn steps onto an empty square count.
// Looks outward from the square for knights, kings, pawns and sliders.
bool isAttacked(int square, int bySide);

// Answers the same question by generating all of bySide's moves: the definition
// that isAttacked is checked against.
bool isAttackedByGeneration(int square, int bySide);

// Tells whether the king of the given colour is attacked; false when it has no king.
bool inCheck(int colour);

// Tells whether a move just played checks the king of the side now to move, standing on
// kingSquare, given that this king was not attacked before: by the piece that moved or
// along the line it opened.
bool givesCheck(Move move, int kingSquare);

// One way of castling, found by the king's to-square: the squares that must be empty,
// those the king passes or lands on, which must be safe, and the rook's move.
struct CastlingRule {
    int kingTo;
    int mustBeEmpty[3];
    int emptyCount;
    int mustBeSafe[2];
    int rookFrom;
    int rookTo;
};

// Returns the castling rule whose king goes to kingTo; nullptr for any other square.
const CastlingRule* findCastlingRule(int kingTo);

// Tells whether castling with the king going to kingTo meets its conditions apart from
// the king not being in check: the squares between king and rook are empty, and none the
// king passes or lands on is attacked or covered by an opposing pawn's diagonal.
bool isCastlingPathFree(int kingTo);
