// The self-play loop: the search plays both sides until the game is decided.
#pragma once

#include "core/move.h"
#include "search/context.h"

enum class PlyOutcome { MOVED, CHECKMATE, STALEMATE, FIFTY_MOVE_DRAW, REPETITION_DRAW };

struct PlyResult {
    Move move;  // the move played; NO_MOVE when the game ended without one
    PlyOutcome outcome;
    bool givesCheck;  // the side now to move is in check
    int score;        // the search's score of the position before the move, for the mover
};

// The number of occurrences of one position that draws the game.
constexpr int REPETITION_LIMIT = 3;

// Searches the position with the context, plays the chosen move and judges the result,
// printing nothing.
PlyResult playPly(SearchContext& context);

// Plays the game out from the current position, writing checks, pictures and the result.
void runSelfPlay();
