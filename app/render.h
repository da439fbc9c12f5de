// The text picture of the board, and its geometry, which the tool's view of the game shares.
#pragma once

// " PNBRQK  pnbrqk ", indexed by square content & 15.
extern const char PIECE_LETTERS[17];

// The shading of empty squares: code page 437 bytes in the game's picture, and the same
// characters in UTF-8.
constexpr unsigned char LIGHT_SHADE = 0xB0;
constexpr unsigned char FULL_BLOCK = 0xDB;
constexpr const char* LIGHT_SHADE_UTF8 = "\u2591";
constexpr const char* FULL_BLOCK_UTF8 = "\u2588";

// The picture covers board rows 1 to 10 (the file letters above rank 8 and below rank 1,
// the eight ranks between) and columns 0 to 9 (a row label on either side of files a to h).
constexpr int PICTURE_TOP_ROW = 1;
constexpr int PICTURE_BOTTOM_ROW = 10;
constexpr int PICTURE_LAST_COLUMN = 9;

// What one cell of the picture shows.
enum class PictureCell { BLANK, FILE_LETTER, ROW_LABEL, LIGHT_SQUARE, DARK_SQUARE, PIECE };

// Tells what the picture shows at a row and column of the board, square row * 10 + column.
PictureCell pictureCell(int row, int column);

// The letter of a column's file, 'a' to 'h'.
constexpr char fileLetter(int column) { return static_cast<char>('a' + column - 1); }

// The game labels the rows with their own numbers, 2 to 9 from the top; the chess ranks
// of those rows are 8 to 1, a row and its rank adding up to RANK_ROW_SUM.
constexpr int RANK_ROW_SUM = 10;
constexpr char rowNumberLabel(int row) { return static_cast<char>('0' + row); }
constexpr char rankLabel(int row) { return static_cast<char>('0' + RANK_ROW_SUM - row); }

// Writes the board as ten labelled lines and an empty line, one byte at a time.
void printBoard();
