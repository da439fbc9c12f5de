// How long one move may take: a budget from the clock the interface sends, and a hard
// limit that leaves the Move Overhead and a share of the clock untouched.
#pragma once

#include <cstdint>

// Milliseconds; NO_TIME_LIMIT where a value is not given or there is no limit.
constexpr int64_t NO_TIME_LIMIT = -1;

struct MoveClock {
    int64_t timeLeft = NO_TIME_LIMIT;  // the mover's remaining time
    int64_t increment = 0;
    int movesToGo = 0;                 // moves until the next time control; 0 when not given
    int64_t moveTime = NO_TIME_LIMIT;  // exactly this long, when given
    int64_t overhead = 0;              // latency of the interface, kept in reserve
};

struct TimeBudget {
    int64_t soft;  // no new depth is started after this
    int64_t hard;  // the search is stopped here
};

// Plans the time of one move; both limits are NO_TIME_LIMIT when the clock gives none, and
// a fixed move time has only the hard one.
TimeBudget planMoveTime(const MoveClock& clock);

// Tells whether another depth is likely to end within the budget, given the time spent so
// far and on the last two completed depths (milliseconds), whose ratio foretells the next.
bool worthAnotherDepth(const TimeBudget& budget, int64_t elapsed, int64_t lastDepth,
                       int64_t depthBefore);
