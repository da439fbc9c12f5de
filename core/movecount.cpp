#include "core/movecount.h"

#include <initializer_list>

#include "core/attacks.h"
#include "core/legality.h"
#include "core/movegen.h"
#include "core/rules.h"

namespace {

// The most pseudo-legal moves one piece of each type can have: a pawn's three moves as
// promotions, a queen's in the middle of an empty board.
constexpr int MOST_MOVES_OF[KING + 1] = {0, 12, 8, 13, 14, 27, 8};
constexpr int MOST_SPECIAL_MOVES = 4;  // two castling entries, two en-passant captures
constexpr int PROMOTION_CHOICES = QUEEN - KNIGHT + 1;

// What the count of one position needs to know about the side to move.
struct Counting {
    int side;
    int opponent;
    int king;
    int forward;        // a pawn step of the side
    SquareSet pinned;   // its pieces pinned to its king
    SquareSet targets;  // where its pieces other than the king may go
};

bool isPinnedPiece(const Counting& c, int square) { return (c.pinned & squareSet(square)) != 0; }

// The entries of KING_STEPS: the first four lead to lower squares, and entry 7 - k is
// the opposite of entry k.
constexpr int DIAGONAL_RAYS[4] = {0, 2, 5, 7};
constexpr int STRAIGHT_RAYS[4] = {1, 3, 4, 6};
constexpr int FIRST_RAY_UP = 4;

// Returns the squares a slider on the square bit reaches along one ray, up to and
// including the first occupied one.
SquareSet rayReach(int bit, int k, SquareSet occupied) {
    const SquareSet ray = REACH.ray[bit][k];
    const SquareSet blockers = ray & occupied;
    if (blockers == 0) return ray;
    const int nearest =
        k < FIRST_RAY_UP ? 63 - __builtin_clzll(blockers) : __builtin_ctzll(blockers);
    return ray ^ REACH.ray[nearest][k];
}

// Returns the squares a knight, bishop, rook or queen on the square reaches.
SquareSet pieceReach(int from, PieceCode type, SquareSet occupied) {
    const int bit = SQUARE_BITS.bitOf[from];
    if (type == KNIGHT) return REACH.knight[bit];
    SquareSet reach = 0;
    if (type != ROOK) {
        for (int k : DIAGONAL_RAYS) reach |= rayReach(bit, k, occupied);
    }
    if (type != BISHOP) {
        for (int k : STRAIGHT_RAYS) reach |= rayReach(bit, k, occupied);
    }
    return reach;
}

// The rows of square bits: row 2 (rank 8) holds bits 0 to 7, row 9 (rank 1) bits 56 to 63.
constexpr int BITS_PER_ROW = 8;
constexpr SquareSet rowBits(int row) { return SquareSet{0xFF} << BITS_PER_ROW * (row - 2); }
constexpr SquareSet FILE_A_BITS = 0x0101010101010101ULL;
constexpr SquareSet FILE_H_BITS = 0x8080808080808080ULL;

// Counts the squares of a set, adding up bits in ever wider fields.
constexpr int countSquares(SquareSet set) {
    set -= set >> 1 & 0x5555555555555555ULL;
    set = (set & 0x3333333333333333ULL) + (set >> 2 & 0x3333333333333333ULL);
    set = (set + (set >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>(set * 0x0101010101010101ULL >> 56);
}

// Counts the steps and captures of the given pawns onto the target squares, four for each
// that promotes; en passant aside. Works on all of them at once.
int countPawnMovesTogether(const Counting& c, SquareSet pawns, SquareSet opposing, SquareSet empty,
                           SquareSet targets) {
    SquareSet steps = 0, doubles = 0, towardsA = 0, towardsH = 0, lastRow = 0;
    if (c.side == WHITE) {
        steps = pawns >> BITS_PER_ROW & empty;
        doubles = (steps & rowBits(WHITE_DOUBLE_STEP_ROW)) >> BITS_PER_ROW & empty;
        towardsA = (pawns & ~FILE_A_BITS) >> (BITS_PER_ROW + 1) & opposing;
        towardsH = (pawns & ~FILE_H_BITS) >> (BITS_PER_ROW - 1) & opposing;
        lastRow = rowBits(WHITE_PROMOTION_ROW);
    } else {
        steps = pawns << BITS_PER_ROW & empty;
        doubles = (steps & rowBits(BLACK_DOUBLE_STEP_ROW)) << BITS_PER_ROW & empty;
        towardsA = (pawns & ~FILE_A_BITS) << (BITS_PER_ROW - 1) & opposing;
        towardsH = (pawns & ~FILE_H_BITS) << (BITS_PER_ROW + 1) & opposing;
        lastRow = rowBits(BLACK_PROMOTION_ROW);
    }
    steps &= targets;
    doubles &= targets;
    towardsA &= targets;
    towardsH &= targets;
    const int promotions =
        countSquares((steps | towardsA) & lastRow) + countSquares(towardsH & lastRow);
    return countSquares(steps) + countSquares(doubles) + countSquares(towardsA) +
           countSquares(towardsH) + (PROMOTION_CHOICES - 1) * promotions;
}

// Counts the moves of the side's pieces other than the king and the pawns, adding to
// 'most' how many pseudo-legal moves they could have at most.
template <bool EVADING>
int countPieceMoves(const Counting& c, const PieceSquares& squares, SquareSet pieces, int& most) {
    const SquareSet own = squares.pieces[sideIndex(c.side)];
    const SquareSet occupied = squares.pieces[0] | squares.pieces[1];
    const SquareSet allowed = ~own & c.targets;
    int n = 0;
    for (; pieces != 0; pieces &= pieces - 1) {
        const int from = firstSquare(pieces);
        const PieceCode type = pieceType(pos.board[from]);
        most += MOST_MOVES_OF[type];
        SquareSet reach = pieceReach(from, type, occupied) & allowed;
        // A pinned piece may move only along its pin, which never answers a check.
        if (isPinnedPiece(c, from)) reach = EVADING ? 0 : reach & pinLine(c.king, from);
        n += countSquares(reach);
    }
    return n;
}

int countKingMoves(const Counting& c, SquareSet own) {
    int n = 0;
    for (SquareSet to = REACH.king[SQUARE_BITS.bitOf[c.king]] & ~own; to != 0; to &= to - 1) {
        n += leavesKingSafe(c.king, c.king, firstSquare(to), c.opponent);
    }
    return n;
}

// Counts the castling moves of a side not in check.
int countCastlingMoves(const Counting& c) {
    const bool white = c.side == WHITE;
    const int kingside = white ? CR_WHITE_KINGSIDE : CR_BLACK_KINGSIDE;
    const int queenside = white ? CR_WHITE_QUEENSIDE : CR_BLACK_QUEENSIDE;
    int n = 0;
    if ((pos.castling & kingside) && isCastlingPathFree(white ? G1 : G8)) ++n;
    if ((pos.castling & queenside) && isCastlingPathFree(white ? C1 : C8)) ++n;
    return n;
}

// Counts the en-passant captures, each tried on the board: taking two pawns off one row
// can uncover the king along it.
int countEnPassantMoves(const Counting& c) {
    const int ep = pos.epSquare;
    if (ep == NO_SQUARE) return 0;
    const int captured = ep - c.forward;
    int n = 0;
    for (int fileStep : {-1, 1}) {
        const int from = captured + fileStep;
        if (pos.board[from] == (PAWN | c.side) &&
            leavesKingSafe(c.king, from, ep, c.opponent, captured)) {
            ++n;
        }
    }
    return n;
}

// Counts the legal moves by playing every generated move: the definition itself.
int countByPlaying() {
    MoveList list;
    generateMoves(list);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    int n = 0;
    for (int k = 0; k < list.count; ++k) {
        if (!playPseudoLegal(list.moves[k])) continue;
        if (!inCheck(pos.side ^ BLACK)) ++n;
        undoMove(snapshot);
    }
    return n;
}

// Counts the pawns' moves, en passant aside: the pinned ones one by one, along their pins.
template <bool EVADING>
int countPawnMoves(const Counting& c, const PieceSquares& squares) {
    const int us = sideIndex(c.side);
    const SquareSet pinned = squares.pawns[us] & c.pinned;
    const SquareSet opposing = squares.pieces[us ^ 1];
    const SquareSet empty = ~(squares.pieces[0] | squares.pieces[1]);
    int n = countPawnMovesTogether(c, squares.pawns[us] & ~pinned, opposing, empty, c.targets);
    if (EVADING) return n;
    for (SquareSet set = pinned; set != 0; set &= set - 1) {
        const int from = firstSquare(set);
        n += countPawnMovesTogether(c, squareSet(from), opposing, empty, pinLine(c.king, from));
    }
    return n;
}

}  // namespace

int countLegalMoves(const PieceSquares& squares) {
    const int side = pos.side;
    const int us = sideIndex(side);
    const int king = squares.king[us];
    const KingLines lines =
        findKingLines(king, side ^ BLACK, squares.pieces[us ^ 1] & ~squares.pawns[us ^ 1]);
    const Checkers& check = lines.check;
    Counting c{side, side ^ BLACK, king, side == WHITE ? NORTH : SOUTH, lines.pinned, EVERY_SQUARE};
    const SquareSet pieces = squares.pieces[us] & ~squares.pawns[us] & ~squareSet(king);
    int most = MOST_MOVES_OF[KING] + MOST_SPECIAL_MOVES +
               MOST_MOVES_OF[PAWN] * countSquares(squares.pawns[us]);
    int n = countKingMoves(c, squares.pieces[us]) + countEnPassantMoves(c);
    if (check.count == 0) {
        n += countPawnMoves<false>(c, squares) + countPieceMoves<false>(c, squares, pieces, most) +
             countCastlingMoves(c);
    } else if (check.count == 1) {
        c.targets = checkAnswers(check, c.king);
        n += countPawnMoves<true>(c, squares) + countPieceMoves<true>(c, squares, pieces, most);
    } else {
        for (SquareSet set = pieces; set != 0; set &= set - 1) {
            most += MOST_MOVES_OF[pieceType(pos.board[firstSquare(set)])];
        }
    }
    // A move list keeps only the first MAX_MOVES moves generated.
    return most > MAX_MOVES ? countByPlaying() : n;
}

int countLegalMoves() {
    const PieceSquares squares = findPieceSquares();
    return squares.king[sideIndex(pos.side)] == NO_SQUARE ? countByPlaying()
                                                          : countLegalMoves(squares);
}
