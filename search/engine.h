// The engine's one entry for every front end: the move for the current position under the
// limits the front end sets. A fixed depth is searched once, as the game program searches;
// otherwise the search deepens, depth by depth, until the deepest depth, a number of calls,
// the move's clock or a mate found ends it, and each completed depth is reported.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "core/movegen.h"
#include "search/context.h"
#include "search/iterate.h"
#include "search/search.h"
#include "search/timeman.h"

struct SearchRequest {
    int depth = ROOT_DEPTH;             // the deepest depth
    bool deepen = false;                // depths 1, 2, ... up to depth; false: depth alone
    uint64_t maxCalls = NO_CALL_LIMIT;  // deepening ends after about this many calls
    int mateMoves = 0;  // deepening ends once a mate in this many moves is found; 0: never
    TimeBudget budget{NO_TIME_LIMIT, NO_TIME_LIMIT};
    MoveList rootMoves{};  // the legal moves tried at the top, in generation order
};

// The clock of one move. Another thread may start it after the search has begun: a ponder
// search has no clock until the interface says its move was played.
struct MoveTimer {
    std::atomic<int64_t> start{0};  // ticks of SearchClock
    std::atomic<bool> running{false};
};

struct SearchAnswer {
    Move move;    // NO_MOVE when no root move is legal
    Move ponder;  // the reply expected after it, NO_MOVE when none is known
    int score;    // for the side to move
    int depth;    // of the answer; 0 when not even depth 1 was completed
    uint64_t calls;
};

// Called after every completed depth with the milliseconds since the search began; returns
// false to end the deepening.
using DepthReport = std::function<bool(const Iteration&, int64_t elapsed)>;

// Asks for the given depth, searched once or deepened, over every legal move.
SearchRequest requestAtDepth(int depth, bool deepen);

// Starts the move's clock now: the hard limit becomes the search's deadline.
void startMoveTimer(MoveTimer& timer, const TimeBudget& budget, SearchLimits& limits);

// Searches the current position as the request asks and answers with the move; a timer
// that is not running leaves the search without a clock until it is started. The position
// is left as it was, and the limits are lifted at the end.
SearchAnswer searchForMove(SearchContext& context, const SearchRequest& request, MoveTimer& timer,
                           const DepthReport& report);

// Searches as above with the move's clock started now and nothing reported.
SearchAnswer searchForMove(SearchContext& context, const SearchRequest& request);
