// Iterative deepening: the fast search at depth 1, 2, 3, ... until a limit or the caller
// ends it, each completed depth reported with its principal variation.
#pragma once

#include <cstdint>
#include <functional>

#include "core/move.h"
#include "core/movegen.h"
#include "search/context.h"

// The longest principal variation reported.
constexpr int MAX_PV_LENGTH = 32;

struct Iteration {
    int depth;  // 0 when not even depth 1 was completed
    int selDepth;
    int score;
    uint64_t calls;  // search calls since the deepening began
    int pvLength;
    Move pv[MAX_PV_LENGTH];
};

struct DeepeningPlan {
    int maxDepth;
    uint64_t maxCalls;   // NO_CALL_LIMIT when none
    MoveList rootMoves;  // legal moves to try at the top, in generation order; not empty
};

// Called after every completed depth; returns false to end the deepening.
using IterationReport = std::function<bool(const Iteration&)>;

// Searches the current position deeper and deeper, within the context's limits, and
// returns the deepest completed iteration; when none completed, its move is the first of
// the root moves. The position is left as it was, and the limits are lifted at the end.
Iteration deepen(SearchContext& context, const DeepeningPlan& plan, const IterationReport& report);

// Follows the table from the position after the first move, as long as its moves stay
// legal and no position repeats; fills pv (first move included) and returns its length.
int principalVariation(const TranspositionTable& table, Move first, Move* pv, int maxLength);
