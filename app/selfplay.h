// The self-play loop: the search plays both sides until the game is decided.
#pragma once

#include "core/move.h"
#include "search/context.h"
#include "search/search.h"

enum class PlyOutcome { MOVED, CHECKMATE, STALEMATE, FIFTY_MOVE_DRAW, REPETITION_DRAW };

struct PlyResult {
    Move move;  // the move played; NO_MOVE when the game ended without one
    PlyOutcome outcome;
    bool givesCheck;  // the side now to move is in check
    int score;        // the search's score of the position before the move, for the mover
};

// The number of occurrences of one position that draws the game.
constexpr int REPETITION_LIMIT = 3;

// The line the game writes after a move that gives check and goes on.
constexpr const char* CHECK_MESSAGE = "CHECK!";

// Returns the line the game ends with for the outcome; nullptr for a move that goes on.
const char* outcomeMessage(PlyOutcome outcome);

// Plays the move chosen for the side to move, NO_MOVE when it has no legal move, and judges
// the result as the game does, printing nothing; score is the chooser's, kept in the result.
PlyResult playChosenMove(Move move, int score);

// Searches the position with the context to the depth, plays the chosen move and judges the
// result, printing nothing.
PlyResult playPly(SearchContext& context, int depth = ROOT_DEPTH);

// Plays the game out from the current position, writing checks, pictures and the result.
void runSelfPlay();
