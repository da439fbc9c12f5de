// The order in which the fast search tries a node's moves below the top level.
#pragma once

#include "core/movegen.h"
#include "core/position.h"

// Hands out a node's moves in stages, likeliest cut-offs first: captures and promotions
// by victim then attacker, then the killers of the ply, then the quiet moves by their
// history of cut-offs. The quiet moves are only scored and sorted when every capture has
// been tried, which a cut-off usually spares.
struct MovePicker {
    MoveList list;  // captures first, then the quiet moves
    int order[MAX_MOVES];
    int captures;
    int next;
    int killersTried;
    Move skip[3];  // the table's move and the killers, once tried
};

// Generates the moves of the side to move, whose pieces stand on the given squares, and
// gets them ready to be handed out; tableMove, tried before, is left out.
void startPicking(MovePicker& picker, Move tableMove, SquareSet pieces);

// Returns the next move to try at the given ply, or NO_MOVE when all have been handed out.
Move nextMove(MovePicker& picker, int ply);

// Remembers a quiet move that caused a cut-off: as a killer of its ply and in the history.
void rememberCutoff(Move move, int ply, int depth);

// Forgets the killers and the history, before a new top-level search.
void clearMoveOrdering();
