#include "search/engine.h"

#include <chrono>

#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/score.h"

namespace {

int64_t millisecondsSince(int64_t startTicks) {
    const SearchClock::duration elapsed =
        SearchClock::now().time_since_epoch() - SearchClock::duration(startTicks);
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

// Tells whether the deepening goes on after a completed depth that took lastDepth ms.
bool goDeeper(const SearchRequest& request, const MoveTimer& timer, const Iteration& it,
              int64_t lastDepth, int64_t depthBefore) {
    const int mateMoves = mateMovesOf(it.score, pos.historyCount);
    if (request.mateMoves > 0 && mateMoves > 0 && mateMoves <= request.mateMoves) return false;
    if (!timer.running.load()) return true;
    return worthAnotherDepth(request.budget, millisecondsSince(timer.start.load()), lastDepth,
                             depthBefore);
}

// Deepens over the request's root moves, reporting each depth.
SearchAnswer deepenForMove(SearchContext& context, const SearchRequest& request,
                           const MoveTimer& timer, const DepthReport& report) {
    const int64_t searchStart = clockTicks(SearchClock::now());
    int64_t depthStart = 0;
    int64_t depthBefore = 0;
    const DeepeningPlan plan{request.depth, request.maxCalls, request.rootMoves};
    const Iteration it = deepen(context, plan, [&](const Iteration& done) {
        const int64_t elapsed = millisecondsSince(searchStart);
        if (report && !report(done, elapsed)) return false;
        const int64_t lastDepth = elapsed - depthStart;
        const bool deeper = goDeeper(request, timer, done, lastDepth, depthBefore);
        depthStart = elapsed;
        depthBefore = lastDepth;
        return deeper;
    });
    return {it.pv[0], it.pvLength > 1 ? it.pv[1] : NO_MOVE, it.score, it.depth, 0};
}

}  // namespace

SearchRequest requestAtDepth(int depth, bool deepen) {
    SearchRequest request;
    request.depth = depth;
    request.deepen = deepen;
    generateLegalMoves(request.rootMoves);
    return request;
}

void startMoveTimer(MoveTimer& timer, const TimeBudget& budget, SearchLimits& limits) {
    const SearchClock::time_point now = SearchClock::now();
    timer.start = clockTicks(now);
    timer.running = true;
    limits.deadline = budget.hard == NO_TIME_LIMIT
                          ? NO_DEADLINE
                          : clockTicks(now + std::chrono::milliseconds(budget.hard));
}

SearchAnswer searchForMove(SearchContext& context, const SearchRequest& request, MoveTimer& timer,
                           const DepthReport& report) {
    const Position start = pos;
    const uint64_t callsBefore = context.calls;
    SearchAnswer answer{NO_MOVE, NO_MOVE, 0, 0, 0};
    if (!request.deepen) {
        answer.score = fastSearch(context, request.depth, request.rootMoves);
        answer.move = bestMove;
        answer.depth = request.depth;
    } else if (request.rootMoves.count > 0) {
        answer = deepenForMove(context, request, timer, report);
    } else {
        clearSearchLimits(context.limits);
    }
    pos = start;
    answer.calls = context.calls - callsBefore;
    return answer;
}

SearchAnswer searchForMove(SearchContext& context, const SearchRequest& request) {
    MoveTimer timer;
    startMoveTimer(timer, request.budget, context.limits);
    return searchForMove(context, request, timer, {});
}
