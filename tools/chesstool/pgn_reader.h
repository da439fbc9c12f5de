// Games read back from PGN text, as the record file holds them: the tags, the moves in
// standard algebraic notation, the mover's clock after each move where the text gives one,
// and the result; comments, variations and annotation glyphs are passed over.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct PgnGame {
    size_t begin = 0;  // where the game's text starts
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<std::string> moves;
    std::vector<int64_t> clocks;  // milliseconds after each move, as far as every move has one
    std::string result;           // "1-0", "0-1", "1/2-1/2" or "*"; empty when missing
};

// Reads the last game of the text; false when the text holds no game.
bool readLastPgnGame(const std::string& text, PgnGame& game);

// Returns the value of the game's tag, or "" when it has none.
std::string tagValue(const PgnGame& game, const std::string& name);
