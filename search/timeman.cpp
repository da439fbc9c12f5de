#include "search/timeman.h"

#include <algorithm>

namespace {

// Moves assumed to remain when the interface does not say.
constexpr int ASSUMED_MOVES_TO_GO = 30;
// The budget takes this share of the increment (in quarters) besides its part of the clock.
constexpr int64_t INCREMENT_QUARTERS = 3;
// The hard limit is this many budgets, and never more than this share of the clock.
constexpr int64_t HARD_LIMIT_BUDGETS = 4;
constexpr int64_t HARD_LIMIT_CLOCK_DIVISOR = 3;
// A new depth is expected to take this many times the one before it, or more when the last
// two depths grew faster (up to the largest factor).
constexpr int64_t DEPTH_GROWTH = 2;
constexpr int64_t LARGEST_DEPTH_GROWTH = 16;
constexpr int64_t SHORTEST_LIMIT = 1;

}  // namespace

TimeBudget planMoveTime(const MoveClock& clock) {
    // A fixed time is searched out: depths go on until the hard limit stops one.
    if (clock.moveTime != NO_TIME_LIMIT) {
        return {NO_TIME_LIMIT, std::max(clock.moveTime - clock.overhead, SHORTEST_LIMIT)};
    }
    if (clock.timeLeft == NO_TIME_LIMIT) return {NO_TIME_LIMIT, NO_TIME_LIMIT};
    const int64_t available = std::max(clock.timeLeft - clock.overhead, SHORTEST_LIMIT);
    const int64_t movesToGo = clock.movesToGo > 0 ? clock.movesToGo : ASSUMED_MOVES_TO_GO;
    // With one move to go the clock is spent on it; otherwise a share is always kept.
    const int64_t cap = movesToGo == 1 ? available : available / HARD_LIMIT_CLOCK_DIVISOR;
    const int64_t increment = std::min(clock.increment, available);
    const int64_t soft = available / movesToGo + increment * INCREMENT_QUARTERS / 4;
    const int64_t hard = std::min(soft * HARD_LIMIT_BUDGETS, cap);
    return {std::max(std::min(soft, hard), SHORTEST_LIMIT), std::max(hard, SHORTEST_LIMIT)};
}

bool worthAnotherDepth(const TimeBudget& budget, int64_t elapsed, int64_t lastDepth,
                       int64_t depthBefore) {
    if (budget.soft == NO_TIME_LIMIT) return true;
    const int64_t growth = std::clamp(lastDepth / std::max<int64_t>(depthBefore, 1), DEPTH_GROWTH,
                                      LARGEST_DEPTH_GROWTH);
    return elapsed < budget.soft / 2 && elapsed + lastDepth * growth <= budget.soft;
}
