// The limits of a search: how far its lines reach, and what ends it before its depth is
// done (a stop raised by another thread, a hard deadline, or a number of search calls). The
// search polls the latter every few thousand calls; once one is met, every node returns at
// once, nothing more is stored in the table, and the iteration in progress is to be thrown
// away.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

constexpr int MAX_PLY = 64;  // no check extension at or below this many plies from the top
// The deepest search the fast search's table and ordering are made for.
constexpr int FAST_SEARCH_MAX_DEPTH = 20;
// The longest line any search of at most that depth can reach: every ply uses up a ply of
// depth except the extended ones, and those lie above MAX_PLY.
constexpr int MAX_LINE_PLIES = MAX_PLY + FAST_SEARCH_MAX_DEPTH + 2;

using SearchClock = std::chrono::steady_clock;

// A deadline that never comes, in ticks of SearchClock.
constexpr int64_t NO_DEADLINE = INT64_MAX;
constexpr uint64_t NO_CALL_LIMIT = UINT64_MAX;
// How many search calls pass between two looks at the clock and the stop flag.
constexpr uint64_t LIMIT_CHECK_INTERVAL = 4096;

// The limits of one search. Another thread may raise the stop flag and move the
// deadline; the rest belongs to the searching thread.
struct SearchLimits {
    std::atomic<bool> stopRequested{false};
    std::atomic<int64_t> deadline{NO_DEADLINE};  // in ticks of SearchClock
    bool stopped = false;                        // a limit was met: unwind
    uint64_t nextCheck = 0;                      // the call count of the next look
    uint64_t callLimit = NO_CALL_LIMIT;          // the call count at which the search ends
    int selDepth = 0;                            // the deepest ply a line has reached
};

// Starts counting towards the limits for a new search that has made `calls` calls so far;
// maxCalls counts from now.
void beginSearchLimits(SearchLimits& limits, uint64_t calls, uint64_t maxCalls);

// Lifts every limit and lowers the stop flag, as for a search without limits; the record of
// how deep lines went is the next search's to start again.
void clearSearchLimits(SearchLimits& limits);

// Looks at the stop flag, the clock and the call count; true once any limit is met.
bool pollSearchLimits(SearchLimits& limits, uint64_t calls);

// Tells whether the search must end now; cheap enough for every node.
inline bool searchMustStop(SearchLimits& limits, uint64_t calls) {
    if (limits.stopped) return true;
    return calls >= limits.nextCheck && pollSearchLimits(limits, calls);
}

// Records how deep a line has gone.
inline void noteSelDepth(SearchLimits& limits, int ply) {
    if (ply > limits.selDepth) limits.selDepth = ply;
}

// Returns a moment as ticks of SearchClock, as SearchLimits::deadline holds it.
inline int64_t clockTicks(SearchClock::time_point moment) {
    return moment.time_since_epoch().count();
}
