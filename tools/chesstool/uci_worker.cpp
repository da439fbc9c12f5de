#include "tools/chesstool/uci_worker.h"

#include <algorithm>
#include <cassert>
#include <cinttypes>

#include "core/attacks.h"
#include "core/notation.h"
#include "search/score.h"
#include "tools/chesstool/game_record.h"

namespace {

constexpr int CENTIPAWNS_PER_PAWN = 100;
constexpr int64_t MILLISECONDS_PER_SECOND = 1000;
// How long the end of a session waits for a search that did not notice the stop.
constexpr std::chrono::milliseconds WORKER_GRACE{200};

std::string uciScoreText(int score, int rootHistoryCount) {
    const int mateMoves = mateMovesOf(score, rootHistoryCount);
    if (mateMoves == 0) return "cp " + std::to_string(score * CENTIPAWNS_PER_PAWN);
    return "mate " + std::to_string(mateMoves);
}

void reportIteration(UciWorker& worker, const Iteration& it, int64_t elapsed) {
    const int64_t nps =
        static_cast<int64_t>(it.calls) * MILLISECONDS_PER_SECOND / std::max<int64_t>(elapsed, 1);
    char head[160];
    std::snprintf(head, sizeof head,
                  "info depth %d seldepth %d score %s nodes %" PRIu64 " nps %" PRId64
                  " time %" PRId64 " pv",
                  it.depth, std::max(it.selDepth, it.depth),
                  uciScoreText(it.score, pos.historyCount).c_str(), it.calls, nps, elapsed);
    std::string line = head;
    for (int k = 0; k < it.pvLength; ++k) line += ' ' + coordinateName(it.pv[k]);
    sayLine(*worker.output, line);
}

// Searches the job's position as it asks, reporting every completed depth.
SearchAnswer searchJob(UciWorker& worker) {
    const SearchJob& job = worker.job;
    pos = job.position;
    if (job.request.rootMoves.count == 0) {
        // Mated or stalemated: the score comes first, as interfaces expect one.
        sayLine(*worker.output,
                inCheck(pos.side) ? "info depth 0 score mate 0" : "info depth 0 score cp 0");
    }
    return searchForMove(worker.search.context, job.request, worker.timer,
                         [&](const Iteration& it, int64_t elapsed) {
                             reportIteration(worker, it, elapsed);
                             return true;
                         });
}

void sayBestMove(UciWorker& worker, const SearchAnswer& result) {
    std::string answer = "bestmove " + coordinateName(result.move);
    if (result.ponder != NO_MOVE) answer += " ponder " + coordinateName(result.ponder);
    sayLine(*worker.output, answer);
}

// Runs the jobs handed over until the worker shuts down: each searched, held while it must
// be, answered, and the worker idle again.
void runWorker(UciWorker& worker) {
    std::unique_lock<std::mutex> lock(worker.lock);
    for (;;) {
        worker.changed.wait(lock, [&] {
            return worker.state == WorkerState::SEARCHING || worker.state == WorkerState::QUITTING;
        });
        if (worker.state == WorkerState::QUITTING) return;
        lock.unlock();
        const SearchAnswer result = searchJob(worker);
        lock.lock();
        if (worker.holdsAnswer) worker.state = WorkerState::HOLDING;
        worker.changed.wait(lock, [&] { return !worker.holdsAnswer; });
        sayBestMove(worker, result);
        worker.state = WorkerState::IDLE;
        worker.changed.notify_all();
    }
}

// Raises the stop flag and lets a held answer go; the lock must be held.
void stopLocked(UciWorker& worker) {
    worker.search.context.limits.stopRequested = true;
    worker.holdsAnswer = false;
    worker.changed.notify_all();
}

bool isIdle(const UciWorker& worker) {
    return worker.state == WorkerState::IDLE || worker.state == WorkerState::QUITTING;
}

}  // namespace

void sayLine(UciOutput& output, const std::string& line) {
    std::lock_guard<std::mutex> lock(output.lock);
    std::fputs(line.c_str(), output.out);
    std::fputc('\n', output.out);
    std::fflush(output.out);
}

bool setUpWorker(UciWorker& worker, UciOutput& output, int tableMebibytes) {
    worker.output = &output;
    return setUpSearch(worker.search, tableMebibytes);
}

void startSearch(UciWorker& worker, const SearchJob& job) {
    std::lock_guard<std::mutex> lock(worker.lock);
    assert(worker.state == WorkerState::IDLE);
    worker.job = job;
    worker.holdsAnswer = job.infinite || job.ponder;
    SearchLimits& limits = worker.search.context.limits;
    limits.stopRequested = false;
    worker.timer.running = false;
    limits.deadline = NO_DEADLINE;
    if (!job.ponder) startMoveTimer(worker.timer, job.request.budget, limits);
    worker.state = WorkerState::SEARCHING;
    if (!worker.thread.joinable()) worker.thread = std::thread(runWorker, std::ref(worker));
    worker.changed.notify_all();
}

void stopSearch(UciWorker& worker) {
    std::lock_guard<std::mutex> lock(worker.lock);
    if (!isIdle(worker)) stopLocked(worker);
}

void ponderHit(UciWorker& worker) {
    std::lock_guard<std::mutex> lock(worker.lock);
    if (isIdle(worker) || !worker.job.ponder || worker.timer.running) return;
    startMoveTimer(worker.timer, worker.job.request.budget, worker.search.context.limits);
    worker.holdsAnswer = worker.job.infinite;
    worker.changed.notify_all();
}

void waitForSearch(UciWorker& worker) {
    std::unique_lock<std::mutex> lock(worker.lock);
    if (worker.holdsAnswer) stopLocked(worker);
    worker.changed.wait(lock, [&] { return isIdle(worker); });
}

void waitForAnswer(UciWorker& worker) {
    std::unique_lock<std::mutex> lock(worker.lock);
    worker.changed.wait(lock, [&] { return isIdle(worker); });
}

bool resizeTable(UciWorker& worker, int mebibytes) {
    assert(isIdle(worker));
    return setTableSize(worker.search.table, mebibytes);
}

void clearTable(UciWorker& worker) {
    assert(isIdle(worker));
    clearTable(worker.search.table);
}

bool shutDownWorker(UciWorker& worker) {
    std::unique_lock<std::mutex> lock(worker.lock);
    if (!isIdle(worker)) stopLocked(worker);
    if (!worker.changed.wait_for(lock, WORKER_GRACE, [&] { return isIdle(worker); })) {
        return false;
    }
    worker.state = WorkerState::QUITTING;
    worker.changed.notify_all();
    lock.unlock();
    if (worker.thread.joinable()) worker.thread.join();
    clearSearchLimits(worker.search.context.limits);
    return true;
}
