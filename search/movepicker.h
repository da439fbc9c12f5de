// The order in which the fast search tries a node's moves: by promise below the top, or in
// generation order where the answer must be the one the straightforward search gives.
#pragma once

#include "core/movegen.h"
#include "core/position.h"
#include "search/limits.h"

// Killer moves and the history of cut-offs by quiet moves, kept through one top-level
// search.
struct MoveOrdering {
    Move killers[MAX_LINE_PLIES][2];
    int history[BOARD_SIZE][BOARD_SIZE];  // by from- and to-square
};

// The stages of a picker, in the order they hand out moves.
enum class PickStage {
    TABLE_MOVE,        // the table's move, before any other is generated
    GENERATE,          // generating, then splitting captures from quiet moves
    CAPTURES,          // captures and promotions, the most valuable victim first
    KILLERS,           // the ply's killers, when they are quiet moves of this position
    SORT_QUIET,        // sorting the quiet moves by their history
    QUIET,             // the quiet moves
    GENERATION_ORDER,  // every move as generateMoves lists it, nothing skipped
    DONE,
};

// Hands out a node's moves in stages, likeliest cut-offs first. The moves are generated
// only when the table's move did not cut off, and the quiet moves only sorted when every
// capture has been tried; a cut-off usually spares both.
struct MovePicker {
    PickStage stage;
    Move tableMove;
    SquareSet pieces;  // the squares of the pieces of the side to move
    MoveList list;     // captures first, then the quiet moves
    int order[MAX_MOVES];
    int captures;
    int next;
    int killersTried;
    Move killers[2];  // the killers handed out
};

// A move handed out, with the stage it came from.
struct PickedMove {
    Move move;
    PickStage stage;
};

// Gets the moves of the side to move, whose pieces stand on the given squares, ready to be
// handed out by promise, the table's move (if any) first.
void pickByPromise(MovePicker& picker, Move tableMove, SquareSet pieces);

// Gets the given moves ready to be handed out in their own order.
void pickInOrder(MovePicker& picker, const MoveList& moves);

// Gets the moves of the side to move ready to be handed out in generation order.
void pickInGenerationOrder(MovePicker& picker, SquareSet pieces);

// Returns the next move to try at the given ply; NO_MOVE once all have been handed out.
PickedMove nextMove(MovePicker& picker, const MoveOrdering& ordering, int ply);

// Remembers a quiet move that caused a cut-off: as a killer of its ply and in the history.
void rememberCutoff(MoveOrdering& ordering, Move move, int ply, int depth);

// Forgets the killers and the history, before a new top-level search.
void clearMoveOrdering(MoveOrdering& ordering);
