// The uci subcommand: the engine speaking the Universal Chess Interface. The input loop
// reads and carries out the commands while the worker (uci_worker) searches, so that stop,
// isready, ponderhit and quit are answered during a search.
#pragma once

#include <string_view>

#include "core/position.h"
#include "search/fastsearch.h"
#include "tools/chesstool/uci_worker.h"

constexpr const char* UCI_USAGE = "usage: chesstool uci";

// The depth "go" searches to when it names no limit at all.
constexpr int UCI_DEFAULT_DEPTH = 6;
constexpr int64_t DEFAULT_MOVE_OVERHEAD = 30;  // milliseconds

// What the input loop keeps between commands.
struct UciSession {
    UciOutput output;
    bool started = false;  // "uci" has arrived; until then the engine stays silent
    int defaultDepth = UCI_DEFAULT_DEPTH;
    int maxDepth = FAST_SEARCH_MAX_DEPTH;  // the deepest search; deeper requests are cut to it
    int64_t moveOverhead = DEFAULT_MOVE_OVERHEAD;
    Position position;  // the position "position" set up, kept apart from the search's
    UciWorker worker;
};

enum class UciStep { CONTINUE, QUIT };

// Sets up the starting position with an empty history and the worker with its table, as a
// new engine has them; false without the memory for the table.
bool startUciSession(UciSession& session);

// Carries out one command line; QUIT after "quit".
UciStep handleUciLine(UciSession& session, std::string_view line);

// Stops the search in progress and ends the worker; returns false when the search did not
// end within a moment (it cannot always be interrupted), in which case the worker is left
// running and the process must end without waiting for it.
bool endUciSession(UciSession& session);

// Runs "uci" with the arguments that follow the subcommand name; returns the exit status.
int runUciCommand(int argc, char** argv);
