// Where a game of the tool begins: the standard starting position, or the position of a FEN
// given with --fen, quoted or as its separate fields up to the next option. pgn, watch and
// play read it, and set up their records from it, the same way.
#pragma once

#include <string>

#include "tools/chesstool/game_record.h"

struct GameStart {
    bool fromFen = false;
    std::string fen;
};

// Reads the FEN after the --fen at argv[i] and moves i to its last word; returns EXIT_OK or
// the status of the error reported (nothing after --fen, or --fen given twice).
int readFenOption(const char* command, int argc, char** argv, int& i, GameStart& start);

// Sets up the position and starts the record there; returns EXIT_OK or the status of the
// bad FEN reported.
int startGameRecord(const char* command, const GameStart& start, GameRecord& record);
