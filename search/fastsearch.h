// The search the game plays with: the same choice as search(), found with far fewer calls.
#pragma once

#include "core/movegen.h"
#include "search/context.h"
#include "search/search.h"

// Searches the current position to the given depth (at most FAST_SEARCH_MAX_DEPTH) with
// the outer window and leaves the chosen move in bestMove (NO_MOVE when there is none);
// returns the score. The move and the score are those search(-SCORE_LIMIT, SCORE_LIMIT,
// depth) would give. The context must have a table; its calls and limits go on counting.
int fastSearch(SearchContext& context, int depth);

// Searches as above, trying at the top level only the given pseudo-legal moves, in their
// order (for the whole list of generateMoves, the same search).
int fastSearch(SearchContext& context, int depth, const MoveList& rootMoves);
