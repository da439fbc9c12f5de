#include "core/fen.h"

#include <cstring>
#include <vector>

#include "core/attacks.h"
#include "core/position.h"
#include "core/text.h"

namespace {

constexpr const char* FEN_PIECE_LETTERS = " PNBRQK  pnbrqk ";
constexpr int MAX_HALFMOVE_CLOCK = 9999;
constexpr int MAX_FULLMOVE_NUMBER = 99999;

struct CastlingField {
    char letter;
    int right;
    int kingSquare;
    int rookSquare;
    PieceCode colour;
};

// clang-format off
constexpr CastlingField CASTLING_FIELDS[] = {
    {'K', CR_WHITE_KINGSIDE,  E1, H1, WHITE},
    {'Q', CR_WHITE_QUEENSIDE, E1, A1, WHITE},
    {'k', CR_BLACK_KINGSIDE,  E8, H8, BLACK},
    {'q', CR_BLACK_QUEENSIDE, E8, A8, BLACK},
};
// clang-format on

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
        if (i > start) fields.push_back(text.substr(start, i - start));
    }
    return fields;
}

bool parsePlacement(std::string_view field, Position& p, std::string& error) {
    int row = 2;
    int column = 1;
    for (char c : field) {
        if (c == '/') {
            if (column != 9) {
                error = "rank " + std::to_string(10 - row) + " does not have eight files";
                return false;
            }
            if (++row > 9) {
                error = "more than eight ranks";
                return false;
            }
            column = 1;
        } else if (c >= '1' && c <= '8') {
            column += c - '0';
        } else {
            const char* letter = c == ' ' ? nullptr : std::strchr(FEN_PIECE_LETTERS, c);
            if (letter == nullptr || c == '\0') {
                error = "unknown piece letter " + quotedWord(std::string_view(&c, 1));
                return false;
            }
            if (column <= 8)
                p.board[row * ROW_WIDTH + column] = PieceCode(letter - FEN_PIECE_LETTERS);
            ++column;
        }
        if (column > 9) {
            error = "rank " + std::to_string(10 - row) + " has more than eight files";
            return false;
        }
    }
    if (row != 9 || column != 9) {
        error = row != 9 ? "fewer than eight ranks" : "rank 1 does not have eight files";
        return false;
    }
    return true;
}

bool checkPieces(const Position& p, std::string& error) {
    int kings[2] = {0, 0};
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) {
        const PieceCode piece = p.board[i];
        if (pieceType(piece) == KING) ++kings[pieceColour(piece) == BLACK];
        const int row = rowOf(i);
        if (pieceType(piece) == PAWN &&
            (row == WHITE_PROMOTION_ROW || row == BLACK_PROMOTION_ROW)) {
            error = "pawn on the first or last rank at " + squareName(i);
            return false;
        }
    }
    if (kings[0] != 1 || kings[1] != 1) {
        error = "each side needs exactly one king";
        return false;
    }
    return true;
}

bool parseCastling(std::string_view field, Position& p, std::string& error) {
    p.castling = 0;
    if (field == "-") return true;
    for (char c : field) {
        const CastlingField* found = nullptr;
        for (const CastlingField& f : CASTLING_FIELDS) {
            if (f.letter == c) found = &f;
        }
        if (found == nullptr || (p.castling & found->right)) {
            error = "bad castling field " + quotedWord(field);
            return false;
        }
        if (p.board[found->kingSquare] != (KING | found->colour) ||
            p.board[found->rookSquare] != (ROOK | found->colour)) {
            error = std::string("castling right '") + c + "' without king and rook at home";
            return false;
        }
        p.castling |= found->right;
    }
    return true;
}

// An en-passant square lies behind a pawn that has just made its double step.
bool parseEnPassant(std::string_view field, Position& p, std::string& error) {
    p.epSquare = NO_SQUARE;
    if (field == "-") return true;
    const int square = parseSquare(field);
    const int forward = p.side == WHITE ? NORTH : SOUTH;  // the side to move's direction
    const int expectedRow = p.side == WHITE ? BLACK_DOUBLE_STEP_ROW : WHITE_DOUBLE_STEP_ROW;
    const PieceCode pusher = PAWN | (p.side ^ BLACK);
    if (square == NO_SQUARE || rowOf(square) != expectedRow || p.board[square] != EMPTY ||
        p.board[square + forward] != EMPTY || p.board[square - forward] != pusher) {
        error = "impossible en-passant square " + quotedWord(field);
        return false;
    }
    p.epSquare = square;
    return true;
}

bool parseFields(const std::vector<std::string_view>& fields, Position& p, std::string& error,
                 int& fullmove) {
    for (int i = 0; i < BOARD_SIZE; ++i) p.board[i] = isPlayingSquare(i) ? EMPTY : OFFBOARD;
    if (!parsePlacement(fields[0], p, error) || !checkPieces(p, error)) return false;
    if (fields[1] != "w" && fields[1] != "b") {
        error = "side to move must be w or b";
        return false;
    }
    p.side = fields[1] == "w" ? WHITE : BLACK;
    if (!parseCastling(fields[2], p, error) || !parseEnPassant(fields[3], p, error)) return false;
    p.halfmoveClock = 0;
    fullmove = 1;
    if (fields.size() > 4 && !parseWholeNumber(fields[4], 0, MAX_HALFMOVE_CLOCK, p.halfmoveClock)) {
        error = "bad halfmove clock " + quotedWord(fields[4]);
        return false;
    }
    if (fields.size() > 5 && !parseWholeNumber(fields[5], 1, MAX_FULLMOVE_NUMBER, fullmove)) {
        error = "bad fullmove number " + quotedWord(fields[5]);
        return false;
    }
    return true;
}

}  // namespace

bool readFen(std::string_view fen, std::string& error, int* fullmoveNumber) {
    const std::vector<std::string_view> fields = splitFields(fen);
    if (fields.size() < 4 || fields.size() > 6) {
        error = "a FEN record has four to six fields, not " + std::to_string(fields.size());
        return false;
    }
    Position candidate;
    Position previous;
    int fullmove = 1;
    if (!parseFields(fields, candidate, error, fullmove)) return false;
    candidate.historyCount = 0;
    previous = pos;
    pos = candidate;
    if (inCheck(pos.side ^ BLACK)) {
        pos = previous;
        error = "the side not to move is in check";
        return false;
    }
    computeHash();
    if (fullmoveNumber != nullptr) *fullmoveNumber = fullmove;
    return true;
}

std::string writeFen(int fullmoveNumber) {
    std::string fen;
    for (int row = 2; row <= 9; ++row) {
        int empty = 0;
        for (int column = 1; column <= 8; ++column) {
            const PieceCode piece = pos.board[row * ROW_WIDTH + column];
            if (piece == EMPTY) {
                ++empty;
                continue;
            }
            if (empty > 0) fen += char('0' + empty);
            empty = 0;
            fen += FEN_PIECE_LETTERS[piece & 15];
        }
        if (empty > 0) fen += char('0' + empty);
        if (row < 9) fen += '/';
    }
    fen += pos.side == WHITE ? " w " : " b ";
    const size_t before = fen.size();
    for (const CastlingField& f : CASTLING_FIELDS) {
        if (pos.castling & f.right) fen += f.letter;
    }
    if (fen.size() == before) fen += '-';
    fen += ' ' + (pos.epSquare == NO_SQUARE ? std::string("-") : squareName(pos.epSquare));
    fen += ' ' + std::to_string(pos.halfmoveClock) + ' ' + std::to_string(fullmoveNumber);
    return fen;
}

std::string squareName(int square) {
    if (!isPlayingSquare(square)) return "-";
    return {char('a' + columnOf(square) - 1), char('0' + 10 - rowOf(square))};
}

int parseSquare(std::string_view name) {
    if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') {
        return NO_SQUARE;
    }
    return (10 - (name[1] - '0')) * ROW_WIDTH + (name[0] - 'a' + 1);
}
