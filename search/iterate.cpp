#include "search/iterate.h"

#include <algorithm>

#include "core/position.h"
#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/search.h"
#include "search/ttable.h"

namespace {

// Tells whether the move is among the pseudo-legal moves of the current position.
bool isGenerated(Move move) {
    MoveList list;
    generateMoves(list);
    return std::find(list.moves, list.moves + list.count, move) != list.moves + list.count;
}

bool seenBefore(const TableKey* keys, int count, const TableKey& key) {
    return std::any_of(keys, keys + count, [&](const TableKey& k) {
        return k.index == key.index && k.check == key.check;
    });
}

}  // namespace

int principalVariation(const TranspositionTable& table, Move first, Move* pv, int maxLength) {
    const Position start = pos;
    TableKey keys[MAX_PV_LENGTH + 1];
    keys[0] = positionKey();
    int length = 0;
    Move move = first;
    while (length < maxLength && move != NO_MOVE && isGenerated(move) && makeMove(move)) {
        pv[length++] = move;
        keys[length] = positionKey();
        if (seenBefore(keys, length, keys[length])) break;
        const TableEntry* entry = probeTable(table, keys[length]);
        move = entry != nullptr ? entry->move : NO_MOVE;
    }
    pos = start;
    return length;
}

Iteration deepen(SearchContext& context, const DeepeningPlan& plan, const IterationReport& report) {
    Iteration best{};
    best.pvLength = 1;
    best.pv[0] = plan.rootMoves.moves[0];
    computeHash();
    const uint64_t callsBefore = context.calls;
    beginSearchLimits(context.limits, context.calls, plan.maxCalls);
    for (int depth = 1; depth <= plan.maxDepth; ++depth) {
        const int score = fastSearch(context, depth, plan.rootMoves);
        if (context.limits.stopped) break;
        const Move move = bestMove;
        Iteration done{depth, context.limits.selDepth, score, context.calls - callsBefore, 0, {}};
        done.pvLength = principalVariation(*context.table, move, done.pv, MAX_PV_LENGTH);
        best = done;
        if (!report(best)) break;
    }
    clearSearchLimits(context.limits);
    return best;
}
