#include "core/notation.h"

#include "core/attacks.h"
#include "core/fen.h"
#include "core/position.h"
#include "core/rules.h"

namespace {

// Promotion letters of coordinate notation and piece letters of SAN, by piece type, and
// the piece letters as a person may type them small.
constexpr char PROMOTION_LETTERS[] = "  nbrq ";
constexpr char SAN_PIECE_LETTERS[] = "  NBRQK";
constexpr char SMALL_PIECE_LETTERS[] = "  nbrqk";
constexpr char SMALL_BISHOP = SMALL_PIECE_LETTERS[BISHOP];  // also the b-file
constexpr std::string_view KINGSIDE_CASTLING[] = {"O-O", "0-0", "o-o"};
constexpr std::string_view QUEENSIDE_CASTLING[] = {"O-O-O", "0-0-0", "o-o-o"};
constexpr int SQUARE_NAME_LENGTH = 2;
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

// Finds the piece type from KNIGHT to last that the letter names, capital or small; 0 for none.
int pieceFromLetter(char letter, int last) {
    for (int type = KNIGHT; type <= last; ++type) {
        if (SAN_PIECE_LETTERS[type] == letter || SMALL_PIECE_LETTERS[type] == letter) return type;
    }
    return 0;
}

// Reads castling written with capital or small letter O or with zeros into the pattern.
bool readCastling(std::string_view text, MovePattern& pattern) {
    for (std::string_view spelling : KINGSIDE_CASTLING) {
        if (text == spelling) pattern.castleColumn = KINGSIDE_FILE_COLUMN;
    }
    for (std::string_view spelling : QUEENSIDE_CASTLING) {
        if (text == spelling) pattern.castleColumn = QUEENSIDE_FILE_COLUMN;
    }
    return pattern.castleColumn != 0;
}

// Reads coordinates such as "g1f3", "e7e8q" or "e2-e4" into the pattern; leaves it alone
// otherwise.
bool readCoordinates(std::string_view text, MovePattern& pattern) {
    if (text.size() < COORDINATE_LENGTH) return false;
    std::string_view toPart = text.substr(SQUARE_NAME_LENGTH);
    if (toPart[0] == '-') toPart.remove_prefix(1);
    if (toPart.size() != SQUARE_NAME_LENGTH && toPart.size() != SQUARE_NAME_LENGTH + 1) {
        return false;
    }
    const int from = parseSquare(text.substr(0, SQUARE_NAME_LENGTH));
    const int to = parseSquare(toPart.substr(0, SQUARE_NAME_LENGTH));
    const int promotion =
        toPart.size() > SQUARE_NAME_LENGTH ? promotionFromLetter(toPart[SQUARE_NAME_LENGTH]) : 0;
    if (from == NO_SQUARE || to == NO_SQUARE) return false;
    if (toPart.size() > SQUARE_NAME_LENGTH && promotion == 0) return false;
    pattern.fromColumn = columnOf(from);
    pattern.fromRow = rowOf(from);
    pattern.to = to;
    pattern.promotion = promotion != 0 ? promotion : ANY_PROMOTION;
    return true;
}

// Reads what SAN writes between a piece and its to-square (a file, a rank or a square, then
// an optional "x", or a square and "-" as in long algebraic notation) into the pattern's
// from-square.
bool readFromSquare(std::string_view text, MovePattern& pattern) {
    const bool hyphen = !text.empty() && text.back() == '-';
    if (!text.empty() && (text.back() == 'x' || hyphen)) text.remove_suffix(1);
    if (hyphen && text.size() != SQUARE_NAME_LENGTH) return false;
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

// Reads standard algebraic notation without its check sign and castling into the pattern;
// a small piece letter other than b, which is a file, names the piece as its capital does.
bool readSan(std::string_view text, MovePattern& pattern) {
    pattern.piece = text.empty() || text[0] == SMALL_BISHOP ? 0 : pieceFromLetter(text[0], KING);
    if (pattern.piece != 0) text.remove_prefix(1);
    const int promotion = text.empty() ? 0 : pieceFromLetter(text.back(), QUEEN);
    if (pattern.piece == 0 && promotion != 0) {
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

// Finds the moves that fit the pattern and judges them as readMove says.
MoveReading judgeReading(const MovePattern& pattern) {
    MoveReading reading{MoveVerdict::ILLEGAL, NO_MOVE, {}, false};
    MoveList legal;
    generateLegalMoves(legal);
    for (int k = 0; k < legal.count; ++k) {
        if (fits(legal.moves[k], pattern)) {
            reading.candidates.moves[reading.candidates.count++] = legal.moves[k];
        }
    }
    if (reading.candidates.count > 0) {
        const bool one = reading.candidates.count == 1;
        reading.verdict = one ? MoveVerdict::LEGAL : MoveVerdict::AMBIGUOUS;
        reading.move = one ? reading.candidates.moves[0] : NO_MOVE;
        return reading;
    }
    // A castling move is generated before its conditions are looked at, so it says nothing.
    MoveList generated;
    generateMoves(generated);
    for (int k = 0; k < generated.count; ++k) {
        const Move move = generated.moves[k];
        if (fits(move, pattern) && !hasFlag(move, MF_CASTLE)) {
            reading.verdict = MoveVerdict::SELF_CHECK;
        }
    }
    return reading;
}

bool isLegalReading(const MoveReading& reading) {
    return reading.verdict == MoveVerdict::LEGAL || reading.verdict == MoveVerdict::AMBIGUOUS;
}

bool contains(const MoveList& list, Move move) {
    for (int k = 0; k < list.count; ++k) {
        if (list.moves[k] == move) return true;
    }
    return false;
}

// Settles a move that opens with a small b between its reading as the b-file and as the
// bishop: the bishop's when no b-pawn move fits, not even one that leaves the king in check;
// both when legal moves of each fit, unless the text is the SAN of the pawn's move.
MoveReading settleSmallB(std::string_view text, const MoveReading& pawn, MoveReading bishop) {
    if (!isLegalReading(pawn) && pawn.verdict != MoveVerdict::SELF_CHECK) {
        bishop.bishopFromSmallB = bishop.verdict == MoveVerdict::LEGAL;
        return bishop;
    }
    MoveList legal;
    generateLegalMoves(legal);
    if (!isLegalReading(bishop) || !isLegalReading(pawn) ||
        (pawn.verdict == MoveVerdict::LEGAL && sanBody(pawn.move, legal) == text)) {
        return pawn;
    }
    MoveReading both{MoveVerdict::AMBIGUOUS, NO_MOVE, {}, false};
    for (int k = 0; k < legal.count; ++k) {
        const Move move = legal.moves[k];
        if (contains(pawn.candidates, move) || contains(bishop.candidates, move)) {
            both.candidates.moves[both.candidates.count++] = move;
        }
    }
    return both;
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
    if (!text.empty() && (text.back() == '+' || text.back() == '#')) text.remove_suffix(1);
    MovePattern pattern;
    if (readCastling(text, pattern) || readCoordinates(text, (pattern = MovePattern{}))) {
        return judgeReading(pattern);
    }
    const MoveReading unreadable{MoveVerdict::UNREADABLE, NO_MOVE, {}, false};
    const MoveReading reading =
        readSan(text, (pattern = MovePattern{})) ? judgeReading(pattern) : unreadable;
    if (text.empty() || text[0] != SMALL_BISHOP) return reading;
    std::string asBishop(text);
    asBishop[0] = SAN_PIECE_LETTERS[BISHOP];
    if (!readSan(asBishop, (pattern = MovePattern{}))) return reading;
    return settleSmallB(text, reading, judgeReading(pattern));
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
