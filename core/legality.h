// Legality without playing the move: the lines through the king, the pieces that give
// check and the moves that answer it, pins, and the number of legal moves of a position.
// Every answer here is the one makeMove would give.
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

// Tells whether the first piece on the line from kingSquare through 'through' is a
// slider of bySide that moves along that line: whether emptying 'through' exposes the
// king. Nothing is assumed about pieces other than those on that line.
bool isExposedThrough(int kingSquare, int through, int bySide);

// The pieces that give check: how many, the first found, and for a slider the step
// from the king towards it (0 for a knight or a pawn).
struct Checkers {
    int count;
    int square;
    int step;
};

// Finds the pieces of bySide that attack the king on the given square.
Checkers findCheckers(int king, int bySide);

// Tells whether a move of a piece other than the king onto the square can answer the
// check: by taking the only checker or by stepping between it and the king.
bool answersCheck(const Checkers& checkers, int king, int to);

// Tells whether the piece on the square is the only one between the king and a slider
// of the opponent that moves along their line.
bool isPinned(int king, int square, int opponent);

// Tells whether a piece other than the king, its king not in check, may go from 'from'
// to 'to': a pinned piece only along the line of its pin.
bool keepsKingCovered(int king, int from, int to, int opponent);

// Tells whether moving the piece on 'from' to 'to', taking the pawn on captureSquare en
// passant if there is one, leaves the king unattacked by the opponent; the king stands
// on 'king' unless it is the piece that moves. The board is put back.
bool leavesKingSafe(int king, int from, int to, int opponent, int captureSquare = NO_SQUARE);

// Tells, before a move of the side to move is played, whether it is refused for leaving
// a check unanswered: a move of a piece other than the king, not en passant, that
// neither takes the only checker nor steps between it and the king.
bool leavesCheckUnanswered(Move move, const Checkers& check, int king);

// Tells, after a move was played with playPseudoLegal, whether it left the mover's king
// attacked by the side now to move. The king stood on kingBefore and stands on kingNow;
// a check the mover was in must have been answered (leavesCheckUnanswered). Only a king
// move and en passant need the full attack test; any other move can only open the line
// through its from-square.
bool exposesOwnKing(Move move, int kingBefore, int kingNow);

// Where the side to move's king, pieces and pawns stand, and the opponent's pieces and
// pawns.
struct MoverSquares {
    int king;
    SquareSet own;
    SquareSet pawns;
    SquareSet opposing;
    SquareSet opposingPawns;
};

// Counts the moves of the side to move that makeMove would accept among those
// generateMoves lists, without playing them. Only where the pieces could have more moves
// than a move list holds (MAX_MOVES, which takes a pile of promoted pieces) does it play
// the moves one by one.
int countLegalMoves(const MoverSquares& squares);

// Counts the legal moves in the same way, finding the king and the pieces first.
int countLegalMoves();
