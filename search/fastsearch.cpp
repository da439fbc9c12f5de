#include "search/fastsearch.h"

#include "search/search.h"

int fastSearch(int depth) {
    bestMove = NO_MOVE;
    return search(-SCORE_LIMIT, SCORE_LIMIT, depth);
}

void clearSearchTable() {}
