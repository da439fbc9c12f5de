#include "app/render.h"

#include "app/console.h"
#include "core/position.h"

const char PIECE_LETTERS[17] = " PNBRQK  pnbrqk ";

namespace {

constexpr unsigned char LIGHT_SHADE = 0xB0;  // code page 437
constexpr unsigned char FULL_BLOCK = 0xDB;
constexpr int FIRST_PICTURE_SQUARE = 10;  // the file-letter line above rank 8
constexpr int LAST_PICTURE_SQUARE = 109;  // the file-letter line below rank 1
constexpr int LETTER_ROW_TOP = 1;
constexpr int LETTER_ROW_BOTTOM = 10;

// Picks the character for a square without a piece: shading, a row digit or a file letter.
char blankSquareChar(int row, int column) {
    const bool edgeColumn = column == 0 || column == 9;
    if (row == LETTER_ROW_TOP || row == LETTER_ROW_BOTTOM) {
        return edgeColumn ? ' ' : char('a' + column - 1);
    }
    if (edgeColumn) return char('0' + row);
    return char((row + column) % 2 == 1 ? LIGHT_SHADE : FULL_BLOCK);
}

}  // namespace

void printBoard() {
    for (int i = FIRST_PICTURE_SQUARE; i <= LAST_PICTURE_SQUARE; ++i) {
        const int row = rowOf(i);
        const int column = columnOf(i);
        char ch = PIECE_LETTERS[pos.board[i] & 15];
        if (ch == ' ') ch = blankSquareChar(row, column);
        writeChar(ch);
        if (column == 9) endLine();
    }
    endLine();
}
