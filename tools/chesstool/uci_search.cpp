#include "tools/chesstool/uci_search.h"

#include <chrono>
#include <cinttypes>
#include <cstdlib>

#include "core/attacks.h"
#include "core/notation.h"
#include "core/rules.h"
#include "search/limits.h"
#include "search/search.h"
#include "tools/chesstool/game_record.h"

namespace {

constexpr int CENTIPAWNS_PER_PAWN = 100;
constexpr int64_t MILLISECONDS_PER_SECOND = 1000;
// How long the end of a session waits for a search that did not notice the stop.
constexpr std::chrono::milliseconds WORKER_GRACE{200};

int64_t millisecondsSince(SearchClock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SearchClock::now() - start)
        .count();
}

std::string scoreText(int score, int rootHistoryCount) {
    const int mateMoves = mateMovesOf(score, rootHistoryCount);
    if (mateMoves == 0) return "cp " + std::to_string(score * CENTIPAWNS_PER_PAWN);
    return "mate " + std::to_string(mateMoves);
}

void reportIteration(UciSession& session, const Iteration& it, int64_t elapsed) {
    const int64_t nps =
        static_cast<int64_t>(it.calls) * MILLISECONDS_PER_SECOND / std::max<int64_t>(elapsed, 1);
    char head[160];
    std::snprintf(head, sizeof head,
                  "info depth %d seldepth %d score %s nodes %" PRIu64 " nps %" PRId64
                  " time %" PRId64 " pv",
                  it.depth, std::max(it.selDepth, it.depth),
                  scoreText(it.score, pos.historyCount).c_str(), it.calls, nps, elapsed);
    std::string line = head;
    for (int k = 0; k < it.pvLength; ++k) line += ' ' + coordinateName(it.pv[k]);
    sayLine(session, line);
}

// Tells whether the deepening goes on after a completed depth.
bool goDeeper(UciSession& session, const SearchJob& job, const Iteration& it, int64_t lastDepth,
              int64_t depthBefore) {
    const int mateMoves = mateMovesOf(it.score, pos.historyCount);
    if (job.mateMoves > 0 && mateMoves > 0 && mateMoves <= job.mateMoves) return false;
    std::lock_guard<std::mutex> lock(session.mutex);
    if (session.pondering) return true;
    return worthAnotherDepth(job.budget, millisecondsSince(session.moveStart), lastDepth,
                             depthBefore);
}

void runJob(UciSession& session, const SearchJob& job) {
    pos = job.position;
    Iteration result{};
    if (job.plan.rootMoves.count > 0) {
        const SearchClock::time_point start = SearchClock::now();
        int64_t depthStart = 0;
        int64_t depthBefore = 0;
        result = deepen(session.search.context, job.plan, [&](const Iteration& it) {
            const int64_t elapsed = millisecondsSince(start);
            reportIteration(session, it, elapsed);
            const int64_t lastDepth = elapsed - depthStart;
            const bool deeper = goDeeper(session, job, it, lastDepth, depthBefore);
            depthStart = elapsed;
            depthBefore = lastDepth;
            return deeper;
        });
    } else {
        // Mated or stalemated: the score comes first, as interfaces expect one.
        sayLine(session,
                inCheck(pos.side) ? "info depth 0 score mate 0" : "info depth 0 score cp 0");
    }
    std::unique_lock<std::mutex> lock(session.mutex);
    session.changed.wait(lock, [&] { return !session.holdBestMove; });
    lock.unlock();
    std::string answer = "bestmove " + coordinateName(result.pvLength > 0 ? result.pv[0] : NO_MOVE);
    if (result.pvLength > 1) answer += " ponder " + coordinateName(result.pv[1]);
    sayLine(session, answer);
}

void workerLoop(UciSession& session) {
    std::unique_lock<std::mutex> lock(session.mutex);
    for (;;) {
        session.changed.wait(lock, [&] { return session.jobReady || session.quitting; });
        if (!session.jobReady) return;
        session.jobReady = false;
        lock.unlock();
        runJob(session, session.job);
        lock.lock();
        session.searching = false;
        session.changed.notify_all();
    }
}

void setDeadline(UciSession& session, const TimeBudget& budget) {
    session.search.context.limits.deadline =
        budget.hard == NO_TIME_LIMIT
            ? NO_DEADLINE
            : clockTicks(session.moveStart + std::chrono::milliseconds(budget.hard));
}

}  // namespace

void sayLine(UciSession& session, const std::string& line) {
    std::lock_guard<std::mutex> lock(session.outputMutex);
    std::fputs(line.c_str(), session.out);
    std::fputc('\n', session.out);
    std::fflush(session.out);
}

void startSearch(UciSession& session, const SearchJob& job, bool infinite, bool ponder) {
    std::lock_guard<std::mutex> lock(session.mutex);
    session.job = job;
    session.moveStart = SearchClock::now();
    session.pondering = ponder;
    session.holdBestMove = infinite || ponder;
    session.search.context.limits.stopRequested = false;
    if (ponder) {
        session.search.context.limits.deadline = NO_DEADLINE;
    } else {
        setDeadline(session, job.budget);
    }
    session.jobReady = session.searching = true;
    if (!session.worker.joinable()) session.worker = std::thread(workerLoop, std::ref(session));
    session.changed.notify_all();
}

void waitForSearch(UciSession& session) {
    std::unique_lock<std::mutex> lock(session.mutex);
    if (session.holdBestMove) {
        session.search.context.limits.stopRequested = true;
        session.holdBestMove = false;
        session.changed.notify_all();
    }
    session.changed.wait(lock, [&] { return !session.searching; });
}

void stopSearch(UciSession& session) {
    std::lock_guard<std::mutex> lock(session.mutex);
    session.search.context.limits.stopRequested = true;
    session.holdBestMove = false;
    session.changed.notify_all();
}

void ponderHit(UciSession& session) {
    std::lock_guard<std::mutex> lock(session.mutex);
    if (!session.pondering) return;
    session.pondering = false;
    session.moveStart = SearchClock::now();
    setDeadline(session, session.job.budget);
    session.holdBestMove = false;
    session.changed.notify_all();
}

bool endSearchWorker(UciSession& session) {
    std::unique_lock<std::mutex> lock(session.mutex);
    session.search.context.limits.stopRequested = true;
    session.holdBestMove = false;
    session.quitting = true;
    session.changed.notify_all();
    if (!session.changed.wait_for(lock, WORKER_GRACE, [&] { return !session.searching; })) {
        return false;
    }
    lock.unlock();
    if (session.worker.joinable()) session.worker.join();
    clearSearchLimits(session.search.context.limits);
    return true;
}
