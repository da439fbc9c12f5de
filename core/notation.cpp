#include "core/notation.h"

#include "core/attacks.h"
#include "core/fen.h"
#include "core/position.h"
#include "core/rules.h"

namespace {

// Promotion letters of coordinate notation and piece letters of SAN, by piece type.
constexpr char PROMOTION_LETTERS[] = "  nbrq ";
constexpr char SAN_PIECE_LETTERS[] = "  NBRQK";
constexpr int COORDINATE_LENGTH = 4;
constexpr int KINGSIDE_FILE_COLUMN = 7;  // the king's castling to-square lies on the g-file

// Tells whether the side to move has at least one legal move.
bool hasLegalMove() {
    MoveList list;
    generateLegalMoves(list);
    return list.count > 0;
}

int promotionFromLetter(char letter) {
    for (int type = KNIGHT; type <= QUEEN; ++type) {
        if (PROMOTION_LETTERS[type] == letter) return type;
    }
    return 0;
}

// Returns the file, rank or square that tells the move apart from other legal moves of
// the same kind of piece onto the same square; empty when none is needed.
std::string disambiguation(Move move, const MoveList& legal) {
    const int from = moveFrom(move);
    const PieceCode piece = pos.board[from];
    bool ambiguous = false;
    bool sameFile = false;
    bool sameRank = false;
    for (int k = 0; k < legal.count; ++k) {
        const Move other = legal.moves[k];
        const int otherFrom = moveFrom(other);
        if (otherFrom == from || moveTo(other) != moveTo(move) || pos.board[otherFrom] != piece) {
            continue;
        }
        ambiguous = true;
        sameFile = sameFile || columnOf(otherFrom) == columnOf(from);
        sameRank = sameRank || rowOf(otherFrom) == rowOf(from);
    }
    const std::string square = squareName(from);
    if (!ambiguous) return "";
    if (!sameFile) return square.substr(0, 1);
    if (!sameRank) return square.substr(1, 1);
    return square;
}

// Writes the move itself without its check suffix.
std::string sanBody(Move move, const MoveList& legal) {
    const int from = moveFrom(move);
    const int to = moveTo(move);
    if (hasFlag(move, MF_CASTLE)) return columnOf(to) == KINGSIDE_FILE_COLUMN ? "O-O" : "O-O-O";
    const bool capture = hasFlag(move, MF_CAPTURE);
    std::string text;
    if (hasFlag(move, MF_PAWN)) {
        if (capture) text = squareName(from).substr(0, 1) + "x";
        text += squareName(to);
        if (hasFlag(move, MF_PROMOTION)) {
            text += '=';
            text += SAN_PIECE_LETTERS[movePromotion(move)];
        }
        return text;
    }
    text = SAN_PIECE_LETTERS[pieceType(pos.board[from])];
    text += disambiguation(move, legal);
    if (capture) text += 'x';
    return text + squareName(to);
}

}  // namespace

std::string coordinateName(Move move) {
    if (move == NO_MOVE) return "0000";
    std::string text = squareName(moveFrom(move)) + squareName(moveTo(move));
    if (hasFlag(move, MF_PROMOTION)) text += PROMOTION_LETTERS[movePromotion(move)];
    return text;
}

Move parseCoordinateMove(std::string_view text) {
    if (text.size() != COORDINATE_LENGTH && text.size() != COORDINATE_LENGTH + 1) return NO_MOVE;
    const int from = parseSquare(text.substr(0, 2));
    const int to = parseSquare(text.substr(2, 2));
    const int promotion = text.size() > COORDINATE_LENGTH ? promotionFromLetter(text[4]) : 0;
    if (from == NO_SQUARE || to == NO_SQUARE) return NO_MOVE;
    if (text.size() > COORDINATE_LENGTH && promotion == 0) return NO_MOVE;
    MoveList legal;
    generateLegalMoves(legal);
    for (int k = 0; k < legal.count; ++k) {
        const Move move = legal.moves[k];
        if (moveFrom(move) == from && moveTo(move) == to && movePromotion(move) == promotion) {
            return move;
        }
    }
    return NO_MOVE;
}

std::string sanName(Move move) {
    MoveList legal;
    generateLegalMoves(legal);
    std::string text = sanBody(move, legal);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    const uint32_t hash = pos.hash;
    if (!makeMove(move)) return text;
    if (inCheck(pos.side)) text += hasLegalMove() ? '+' : '#';
    undoMove(snapshot);
    pos.hash = hash;
    return text;
}
