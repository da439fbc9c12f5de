// Forsyth-Edwards Notation: setting up the global position from text and back.
#pragma once

#include <string>
#include <string_view>

constexpr const char* START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Sets up the global position from a FEN record (the two move counters may be left
// out). The history is emptied. On bad input returns false, leaves the position as it
// was and puts a one-line reason into error.
bool readFen(std::string_view fen, std::string& error, int* fullmoveNumber = nullptr);

// Writes the global position as a FEN record.
std::string writeFen(int fullmoveNumber = 1);

// Names a square in coordinate notation ("e4"); "-" for a square off the playing area.
std::string squareName(int square);

// Reads a square name such as "e4"; NO_SQUARE when it is not one.
int parseSquare(std::string_view name);
