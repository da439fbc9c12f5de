// What ends a search before its depth is done: a stop raised by another thread, a hard
// deadline, or a number of search calls. The search polls them every few thousand calls;
// once one is met, every node returns at once, nothing more is stored in the table, and
// the iteration in progress is to be thrown away.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "search/search.h"

using SearchClock = std::chrono::steady_clock;

// A deadline that never comes, in ticks of SearchClock.
constexpr int64_t NO_DEADLINE = INT64_MAX;
constexpr uint64_t NO_CALL_LIMIT = UINT64_MAX;
// How many search calls pass between two looks at the clock and the stop flag.
constexpr uint64_t LIMIT_CHECK_INTERVAL = 4096;

// Raised by any thread to end the search in progress.
extern std::atomic<bool> searchStopRequested;
// The moment, in ticks of SearchClock, at which the search in progress must end.
extern std::atomic<int64_t> searchDeadline;

// The search thread's own record of the limits it is under.
struct SearchProgress {
    bool stopped;
    uint64_t nextCheck;  // the searchCalls value of the next look at the limits
    uint64_t callLimit;  // the searchCalls value at which the search ends
    int selDepth;        // the deepest ply a line has reached
};
extern SearchProgress searchProgress;

// Starts counting towards the limits for a new search; maxCalls counts from now.
void beginSearchLimits(uint64_t maxCalls);

// Lifts every limit and lowers the stop flag, as for a search without limits.
void clearSearchLimits();

// Looks at the stop flag, the clock and the call count; true once any limit is met.
bool pollSearchLimits();

// Tells whether the search must end now; cheap enough for every node.
inline bool searchMustStop() {
    if (searchProgress.stopped) return true;
    return searchCalls >= searchProgress.nextCheck && pollSearchLimits();
}

// Records how deep a line has gone.
inline void noteSelDepth(int ply) {
    if (ply > searchProgress.selDepth) searchProgress.selDepth = ply;
}

// Returns a moment as ticks of SearchClock, as searchDeadline holds it.
inline int64_t clockTicks(SearchClock::time_point moment) {
    return moment.time_since_epoch().count();
}
