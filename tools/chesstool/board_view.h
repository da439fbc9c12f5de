// The view of a game that watch and play share: the game's picture in UTF-8 with the rows
// labelled by their ranks, drawn from either side, the last move marked, and a panel beside
// it with the last move, its search, checks and the last moves; drawn in place on a
// terminal or printed as plain text.
#pragma once

#include <string>
#include <vector>

#include "core/move.h"
#include "tools/chesstool/game_record.h"
#include "tools/chesstool/screen.h"

// The view: the picture's ten rows, a blank one, and three more below (the result or a
// message, and the keys or the prompt), and the columns of the picture, the gap and the
// panel's usual lines. A longer line is cut at the terminal's edge, and the lines under the
// view are broken to fit it.
constexpr int VIEW_ROWS = 13;
constexpr int VIEW_COLUMNS = 44;

constexpr const char* BOLD = "\x1b[1m";
constexpr const char* ALERT = "\x1b[1;31m";

struct BoardView {
    bool pieces = false;         // chess symbols instead of letters
    bool colour = false;         // the last move and alerts in colour
    bool squareColours = false;  // with colour: the squares as background colours
    bool flipped = false;        // from Black's side: rank 1 at the top, file h on the left
    Move lastMove = NO_MOVE;     // marked on the board
};

// What the panel says about the last ply; the lines that do not apply are empty.
struct PanelPly {
    int mover;
    std::string score;   // "Score for White: +1"
    std::string search;  // "Search: 3837 calls, 0.01 s"
    std::string alert;   // "CHECK!", or how the game ended
    std::string clock;   // "White 4:59  Black 5:00" in a timed game
};

// Wraps the text in the colour when the view has colour.
std::string coloured(const BoardView& view, const char* colour, const std::string& text);

const char* sideName(int side);

// Words the search's score for the side that moved: "+1", "mate in 2", "mated in 3".
std::string scoreText(int score, int mateMoves);

// Lays the picture and, beside it, the panel: the move number and last move, what the ply
// says, and the last four move numbers; before any move, who is to move.
std::vector<std::string> positionLines(const BoardView& view, const GameRecord& record,
                                       const PanelPly& last);

// Names the result and why, as the record will: "Result 1-0: White wins by checkmate".
std::string resultLine(const BoardView& view, const GameRecord& record);
