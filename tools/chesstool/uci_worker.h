// The engine's worker: one thread that runs one search at a time, reports every completed
// depth and answers with bestmove, while the input thread keeps reading. The input thread
// hands it a job and tells it to stop, to take a ponder hit, or to shut down; it never
// touches the search itself.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "core/position.h"
#include "search/context.h"
#include "search/engine.h"

// Lines written by either thread, each whole and flushed at once.
struct UciOutput {
    std::FILE* out = stdout;
    std::mutex lock;
};

// Writes one line and flushes it.
void sayLine(UciOutput& output, const std::string& line);

// One search handed to the worker.
struct SearchJob {
    Position position;
    SearchRequest request;
    bool infinite;  // the answer waits for stop, even once the deepest depth is done
    bool ponder;    // searches without a clock until ponderhit or stop
};

enum class WorkerState {
    IDLE,       // no search: a job may be handed over, the table changed
    SEARCHING,  // a job is waiting or running
    HOLDING,    // the search is over; its answer waits for stop or ponderhit
    QUITTING,   // shut down: the thread has ended or is ending
};

struct UciWorker {
    UciOutput* output = nullptr;
    SearchWithTable search;  // its table is set up and changed only while the worker is idle
    std::thread thread;
    std::mutex lock;
    std::condition_variable changed;
    WorkerState state = WorkerState::IDLE;
    SearchJob job;
    bool holdsAnswer = false;  // infinite or pondering: the answer waits for stop or ponderhit
    MoveTimer timer;           // not running while pondering
};

// Gives the worker its output and a table of the given size; false without the memory.
bool setUpWorker(UciWorker& worker, UciOutput& output, int tableMebibytes);

// Hands a search to the idle worker, starting its thread on first use.
void startSearch(UciWorker& worker, const SearchJob& job);

// Ends the search in progress: it answers with the best move found so far.
void stopSearch(UciWorker& worker);

// Turns a ponder search into a normal one whose clock starts now.
void ponderHit(UciWorker& worker);

// Waits until no search runs; a search that would wait for stop or ponderhit is stopped.
void waitForSearch(UciWorker& worker);

// Waits until the search in progress has answered; a held search answers only after stop or
// ponderhit.
void waitForAnswer(UciWorker& worker);

// Replaces the idle worker's table by an empty one of the given size in MiB; false, with
// the table kept, without the memory.
bool resizeTable(UciWorker& worker, int mebibytes);

// Empties the idle worker's table.
void clearTable(UciWorker& worker);

// Stops the search and ends the thread; false when the search did not end within a moment
// (it cannot always be interrupted): the thread is then left running, and the process must
// end without waiting for it.
bool shutDownWorker(UciWorker& worker);
