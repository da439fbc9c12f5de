// The text picture of the board.
#pragma once

// " PNBRQK  pnbrqk ", indexed by square content & 15.
extern const char PIECE_LETTERS[17];

// Writes the board as ten labelled lines and an empty line, one byte at a time.
void printBoard();
