// The uci subcommand: the engine speaking the Universal Chess Interface. The input loop
// keeps reading while one worker thread searches, so that stop, isready, ponderhit and
// quit are answered during a search.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <thread>

#include "core/position.h"
#include "search/context.h"
#include "search/fastsearch.h"
#include "search/iterate.h"
#include "search/limits.h"
#include "search/timeman.h"

constexpr const char* UCI_USAGE = "usage: chesstool uci";

// The depth "go" searches to when it names no limit at all.
constexpr int UCI_DEFAULT_DEPTH = 6;
constexpr int64_t DEFAULT_MOVE_OVERHEAD = 30;  // milliseconds

// One search handed to the worker.
struct SearchJob {
    Position position;
    DeepeningPlan plan;
    TimeBudget budget;
    int mateMoves;  // ends the deepening once a mate in this many moves is found; 0: never
};

struct UciSession {
    std::FILE* out = stdout;
    bool started = false;  // "uci" has arrived; until then the engine stays silent
    int defaultDepth = UCI_DEFAULT_DEPTH;
    int maxDepth = FAST_SEARCH_MAX_DEPTH;  // the deepest search; deeper requests are cut to it
    int64_t moveOverhead = DEFAULT_MOVE_OVERHEAD;
    Position position;       // the position "position" set up, kept apart from the search's
    SearchWithTable search;  // the worker's; its table and limits are set between searches

    // Shared with the worker, under the mutex.
    std::mutex mutex;
    std::mutex outputMutex;
    std::condition_variable changed;
    std::thread worker;
    bool jobReady = false;
    bool searching = false;     // a job is waiting or running
    bool holdBestMove = false;  // infinite or pondering: the answer waits for stop or ponderhit
    bool pondering = false;
    bool quitting = false;
    SearchClock::time_point moveStart;  // when the clock of the move started
    SearchJob job;
};

enum class UciStep { CONTINUE, QUIT };

// Sets up the starting position with an empty history, as a new engine has it.
void startUciSession(UciSession& session);

// Carries out one command line; QUIT after "quit".
UciStep handleUciLine(UciSession& session, std::string_view line);

// Stops the search in progress and ends the worker; returns false when the search did not
// end within a moment (it cannot always be interrupted), in which case the worker is left
// running and the process must end without waiting for it.
bool endUciSession(UciSession& session);

// Runs "uci" with the arguments that follow the subcommand name; returns the exit status.
int runUciCommand(int argc, char** argv);
