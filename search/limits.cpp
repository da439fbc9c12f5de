#include "search/limits.h"

#include <algorithm>

void beginSearchLimits(SearchLimits& limits, uint64_t calls, uint64_t maxCalls) {
    const uint64_t room = NO_CALL_LIMIT - calls;
    limits.callLimit = calls + std::min(maxCalls, room);
    limits.stopped = false;
    limits.selDepth = 0;
    limits.nextCheck = calls;
}

void clearSearchLimits(SearchLimits& limits) {
    limits.stopRequested = false;
    limits.deadline = NO_DEADLINE;
    limits.stopped = false;
    limits.nextCheck = 0;
    limits.callLimit = NO_CALL_LIMIT;
}

bool pollSearchLimits(SearchLimits& limits, uint64_t calls) {
    const bool callsSpent = calls >= limits.callLimit;
    const bool late = clockTicks(SearchClock::now()) >= limits.deadline.load();
    if (callsSpent || late || limits.stopRequested.load()) {
        limits.stopped = true;
        return true;
    }
    limits.nextCheck = std::min(calls + LIMIT_CHECK_INTERVAL, limits.callLimit);
    return false;
}
