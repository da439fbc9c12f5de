// A game between a person and the engine in progress: what it holds, how it is shown (the
// view redrawn in place on a terminal, plain text otherwise) and how each move is judged,
// recorded and saved.
#pragma once

#include <string>
#include <vector>

#include "core/position.h"
#include "search/context.h"
#include "tools/chesstool/board_view.h"
#include "tools/chesstool/game_record.h"
#include "tools/chesstool/play_clock.h"
#include "tools/chesstool/play_options.h"
#include "tools/chesstool/record_file.h"

constexpr const char* PLAYER_NAME = "Player";

// What the engine's search chose, for its move or a hint.
struct EngineChoice {
    Move move;
    int score;
    int depth;
    std::string search;  // "Search: depth 6, 3837 calls, 0.01 s"
};

// One ply of the game: the position before it, the move and what the panel says about it.
struct PlayedPly {
    Position before;
    Move move;
    PanelPly panel;
};

struct Game {
    PlayOptions options;
    BoardView view;
    bool drawn = false;        // the view redrawn in place on a terminal; otherwise plain text
    bool echoInput = false;    // plain text from a pipe: lines read are written back
    bool blankPrinted = true;  // plain text: the last line printed is empty
    bool saveFailed = false;
    bool saving = true;  // false while a recorded game is played out again
    GameRecord record;
    GameClock clock;
    std::vector<PlayedPly> plies;
    std::string message;  // under the view, broken into lines that fit the terminal
    std::string note;     // said once the engine has answered: how the person's move was read
    RecordFile recordFile;
    SearchWithTable search;
};

// Redraws the view on a terminal with the message and the prompt, followed by what has
// been typed.
void redraw(const Game& game, const std::string& prompt, const std::string& typed = "");

// Shows the message: under the view on a terminal, as a line of its own otherwise.
void say(Game& game, const std::string& message);

// Shows the position just reached; on a terminal it is drawn with the next prompt.
void showPosition(Game& game);

// Writes the games the file held and this one, anew, to the record file.
void saveRecord(Game& game);

// Plays the move chosen for the side to move (NO_MOVE when it has none), judged as the game
// program judges its own and then by the laws where those are silent (a dead position is a
// draw), and records it with the mover's clock; saves and shows the result.
void playAndRecord(Game& game, Move move, const EngineChoice* choice);
