#include "app/render.h"

#include "app/console.h"
#include "core/position.h"

const char PIECE_LETTERS[17] = " PNBRQK  pnbrqk ";

namespace {

// Picks the game's byte for one cell of the picture.
char cellChar(int row, int column) {
    switch (pictureCell(row, column)) {
        case PictureCell::FILE_LETTER:
            return fileLetter(column);
        case PictureCell::ROW_LABEL:
            return rowNumberLabel(row);
        case PictureCell::LIGHT_SQUARE:
            return static_cast<char>(LIGHT_SHADE);
        case PictureCell::DARK_SQUARE:
            return static_cast<char>(FULL_BLOCK);
        case PictureCell::PIECE:
            return PIECE_LETTERS[pos.board[row * ROW_WIDTH + column] & 15];
        case PictureCell::BLANK:
            break;
    }
    return ' ';
}

}  // namespace

PictureCell pictureCell(int row, int column) {
    const bool edgeColumn = column == 0 || column == PICTURE_LAST_COLUMN;
    if (row == PICTURE_TOP_ROW || row == PICTURE_BOTTOM_ROW) {
        return edgeColumn ? PictureCell::BLANK : PictureCell::FILE_LETTER;
    }
    if (edgeColumn) return PictureCell::ROW_LABEL;
    if (pos.board[row * ROW_WIDTH + column] != EMPTY) return PictureCell::PIECE;
    return (row + column) % 2 == 1 ? PictureCell::LIGHT_SQUARE : PictureCell::DARK_SQUARE;
}

void printBoard() {
    for (int row = PICTURE_TOP_ROW; row <= PICTURE_BOTTOM_ROW; ++row) {
        for (int column = 0; column <= PICTURE_LAST_COLUMN; ++column) {
            writeChar(cellChar(row, column));
        }
        endLine();
    }
    endLine();
}
