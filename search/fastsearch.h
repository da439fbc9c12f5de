// The search the game plays with: the same choice as search(), found with far fewer calls.
#pragma once

#include "core/move.h"
#include "core/movegen.h"

// The deepest search the table's bookkeeping is made for; deeper ones are left to search().
constexpr int FAST_SEARCH_MAX_DEPTH = 20;

// Searches the current position to the given depth with the outer window and leaves
// the chosen move in bestMove (NO_MOVE when there is none); returns the score. The
// move and the score are those search(-SCORE_LIMIT, SCORE_LIMIT, depth) would give.
int fastSearch(int depth);

// Searches as above, trying at the top level only the given pseudo-legal moves, in their
// order (for the whole list of generateMoves, the same search).
int fastSearch(int depth, const MoveList& rootMoves);

// Forgets everything the fast search has learnt.
void clearSearchTable();
