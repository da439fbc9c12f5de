// Games taken up again from a PGN record: the record file's unfinished last game gone on
// with, or the last position of a file's last game as the start of a new one.
#pragma once

#include <string>

#include "tools/chesstool/pgn_reader.h"
#include "tools/chesstool/play_game.h"

// Opens the record file and, when its last game is unfinished and the person wants it (asked
// on a terminal, or --resume), goes on with that game; returns EXIT_OK or the status of the
// error reported.
int setUpRecordFile(Game& game, bool terminal);

// Tells whether the text's last game is a game against the engine that has not ended;
// fills game with it when it is.
bool findUnfinishedGame(const std::string& text, PgnGame& game);

// Goes on with the recorded game: the person's side, start and clock taken from its tags,
// its moves played out again; the file then keeps only the games before it. Returns EXIT_OK
// or the status of the error reported.
int resumeGame(Game& game, const PgnGame& recorded);

// Reads the last game of the file and takes the position after its last move as the start
// of the new game; returns EXIT_OK or the status of the error reported.
int loadLastPosition(const std::string& path, GameStart& start);
