#include "search/limits.h"

#include <algorithm>

std::atomic<bool> searchStopRequested{false};
std::atomic<int64_t> searchDeadline{NO_DEADLINE};
SearchProgress searchProgress{false, 0, NO_CALL_LIMIT, 0};

void beginSearchLimits(uint64_t maxCalls) {
    const uint64_t room = NO_CALL_LIMIT - searchCalls;
    searchProgress.callLimit = searchCalls + std::min(maxCalls, room);
    searchProgress.stopped = false;
    searchProgress.selDepth = 0;
    searchProgress.nextCheck = searchCalls;
}

void clearSearchLimits() {
    searchStopRequested = false;
    searchDeadline = NO_DEADLINE;
    searchProgress = SearchProgress{false, 0, NO_CALL_LIMIT, 0};
}

bool pollSearchLimits() {
    const bool callsSpent = searchCalls >= searchProgress.callLimit;
    const bool late = clockTicks(SearchClock::now()) >= searchDeadline.load();
    if (callsSpent || late || searchStopRequested.load()) {
        searchProgress.stopped = true;
        return true;
    }
    searchProgress.nextCheck =
        std::min(searchCalls + LIMIT_CHECK_INTERVAL, searchProgress.callLimit);
    return false;
}
