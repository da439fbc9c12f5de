// What one search owns: its call count, its limits and progress, its move ordering, the
// record of where the pieces stand, the history count and the moves at its top, and its
// table. Each search passes its context by reference; two searches on two threads, each on
// the thread's own position and with a table of its own, never meet.
#pragma once

#include <cstdint>

#include "core/pieces.h"
#include "search/limits.h"
#include "search/movepicker.h"
#include "search/ttable.h"

// Where the work of a search went, beyond its calls: nodes searched in generation order
// because the fifty-move rule bound an answer below them, and nodes under the rule.
struct SearchWork {
    uint64_t inOrderNodes = 0;
    uint64_t ruleNodes = 0;
};

struct SearchContext {
    uint64_t calls = 0;  // search calls, leaves included
    SearchWork work;
    SearchLimits limits;
    MoveOrdering ordering{};
    PieceSquares pieces{};
    int rootHistoryCount = 0;
    const MoveList* rootMoves = nullptr;  // the moves the top tries, in their order
    TranspositionTable* table = nullptr;
};

// A context together with the table it searches with, for a caller that owns both: the
// game, a tool's run, a test.
struct SearchWithTable {
    TranspositionTable table;
    SearchContext context;
};

// Gives the context a table of the given size in MiB; false when the memory is not there.
inline bool setUpSearch(SearchWithTable& search, int mebibytes = DEFAULT_TABLE_MIB) {
    search.context.table = &search.table;
    return setTableSize(search.table, mebibytes);
}
