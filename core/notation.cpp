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
constexpr int KINGSIDE_FILE_COLUMN = 7;   // the king's castling to-square lies on the g-file
constexpr int QUEENSIDE_FILE_COLUMN = 3;  // or on the c-file
constexpr int ANY_PIECE = 0;
constexpr int ANY_PROMOTION = -1;
constexpr int ANY_LINE = 0;  // no file or rank asked for

// What the text of a move asks for; a move fits it when it matches every part given.
struct MovePattern {
    int piece = ANY_PIECE;  // the mover's piece type
    int fromColumn = ANY_LINE;
    int fromRow = ANY_LINE;
    int to = NO_SQUARE;
    int promotion = ANY_PROMOTION;
    int castleColumn = 0;  // the king's to-column for castling, 0 for other moves
};

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

int pieceFromSanLetter(char letter) {
    for (int type = KNIGHT; type <= KING; ++type) {
        if (SAN_PIECE_LETTERS[type] == letter) return type;
    }
    return 0;
}

// Reads coordinates such as "g1f3" or "e7e8q" into the pattern; leaves it alone otherwise.
bool readCoordinates(std::string_view text, MovePattern& pattern) {
    if (text.size() != COORDINATE_LENGTH && text.size() != COORDINATE_LENGTH + 1) return false;
    const int from = parseSquare(text.substr(0, 2));
    const int to = parseSquare(text.substr(2, 2));
    const int promotion =
        text.size() > COORDINATE_LENGTH ? promotionFromLetter(text[COORDINATE_LENGTH]) : 0;
    if (from == NO_SQUARE || to == NO_SQUARE) return false;
    if (text.size() > COORDINATE_LENGTH && promotion == 0) return false;
    pattern.fromColumn = columnOf(from);
    pattern.fromRow = rowOf(from);
    pattern.to = to;
    pattern.promotion = promotion != 0 ? promotion : ANY_PROMOTION;
    return true;
}

// Reads what SAN writes between a piece and its to-square (a file, a rank or a square, then
// an optional "x") into the pattern's from-square.
bool readFromSquare(std::string_view text, MovePattern& pattern) {
    if (!text.empty() && text.back() == 'x') text.remove_suffix(1);
    if (text.empty()) return true;
    const char onFile[] = {text[0], '1'};
    const char onRank[] = {'a', text[0]};
    int square = NO_SQUARE;
    if (text.size() == 2 && (square = parseSquare(text)) != NO_SQUARE) {
        pattern.fromColumn = columnOf(square);
        pattern.fromRow = rowOf(square);
    } else if (text.size() == 1 && (square = parseSquare({onFile, 2})) != NO_SQUARE) {
        pattern.fromColumn = columnOf(square);
    } else if (text.size() == 1 && (square = parseSquare({onRank, 2})) != NO_SQUARE) {
        pattern.fromRow = rowOf(square);
    }
    return square != NO_SQUARE;
}

// Reads standard algebraic notation without its check sign into the pattern.
bool readSan(std::string_view text, MovePattern& pattern) {
    if (text == "O-O" || text == "O-O-O") {
        pattern.castleColumn = text.size() == 3 ? KINGSIDE_FILE_COLUMN : QUEENSIDE_FILE_COLUMN;
        return true;
    }
    pattern.piece = text.empty() ? 0 : pieceFromSanLetter(text[0]);
    if (pattern.piece != 0) text.remove_prefix(1);
    const int promotion = text.empty() ? 0 : pieceFromSanLetter(text.back());
    if (pattern.piece == 0 && promotion >= KNIGHT && promotion <= QUEEN) {
        pattern.promotion = promotion;
        text.remove_suffix(1);
        if (!text.empty() && text.back() == '=') text.remove_suffix(1);
    }
    if (pattern.piece == 0) pattern.piece = PAWN;
    if (text.size() < 2 || (pattern.to = parseSquare(text.substr(text.size() - 2))) == NO_SQUARE) {
        return false;
    }
    text.remove_suffix(2);
    if (!readFromSquare(text, pattern)) return false;
    // A pawn that does not capture stays on its file.
    if (pattern.piece == PAWN && pattern.fromColumn == ANY_LINE) {
        pattern.fromColumn = columnOf(pattern.to);
    }
    return true;
}

// Tells whether the move fits the pattern; castling fits only as castling or coordinates.
bool fits(Move move, const MovePattern& pattern) {
    const int from = moveFrom(move);
    if (pattern.castleColumn != 0) {
        return hasFlag(move, MF_CASTLE) && columnOf(moveTo(move)) == pattern.castleColumn;
    }
    if (pattern.piece != ANY_PIECE &&
        (hasFlag(move, MF_CASTLE) || pieceType(pos.board[from]) != pattern.piece)) {
        return false;
    }
    return moveTo(move) == pattern.to &&
           (pattern.fromColumn == ANY_LINE || columnOf(from) == pattern.fromColumn) &&
           (pattern.fromRow == ANY_LINE || rowOf(from) == pattern.fromRow) &&
           (pattern.promotion == ANY_PROMOTION || movePromotion(move) == pattern.promotion);
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

MoveReading readMove(std::string_view text) {
    MoveReading reading{MoveVerdict::UNREADABLE, NO_MOVE, {}};
    if (!text.empty() && (text.back() == '+' || text.back() == '#')) text.remove_suffix(1);
    MovePattern pattern;
    if (!readCoordinates(text, pattern) && !readSan(text, (pattern = MovePattern{}))) {
        return reading;
    }
    MoveList legal;
    generateLegalMoves(legal);
    for (int k = 0; k < legal.count; ++k) {
        if (fits(legal.moves[k], pattern)) {
            reading.candidates.moves[reading.candidates.count++] = legal.moves[k];
        }
    }
    if (reading.candidates.count > 0) {
        reading.verdict =
            reading.candidates.count == 1 ? MoveVerdict::LEGAL : MoveVerdict::AMBIGUOUS;
        reading.move = reading.candidates.count == 1 ? reading.candidates.moves[0] : NO_MOVE;
        return reading;
    }
    // A castling move is generated before its conditions are looked at, so it says nothing.
    MoveList generated;
    generateMoves(generated);
    reading.verdict = MoveVerdict::ILLEGAL;
    for (int k = 0; k < generated.count; ++k) {
        const Move move = generated.moves[k];
        if (fits(move, pattern) && !hasFlag(move, MF_CASTLE))
            reading.verdict = MoveVerdict::SELF_CHECK;
    }
    return reading;
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
