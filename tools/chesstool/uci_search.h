// The worker thread of the uci subcommand: it runs one search at a time, reports every
// completed depth and answers with bestmove, while the input thread keeps reading.
#pragma once

#include <string>

#include "tools/chesstool/uci_command.h"

// Writes one line and flushes it at once; safe from either thread.
void sayLine(UciSession& session, const std::string& line);

// Hands a search to the worker, starting the worker on first use; no search may be running.
void startSearch(UciSession& session, const SearchJob& job, bool infinite, bool ponder);

// Waits until no search runs; a search that would wait for stop or ponderhit is stopped.
void waitForSearch(UciSession& session);

// Ends the search in progress: it answers with the best move found so far.
void stopSearch(UciSession& session);

// Turns a ponder search into a normal one whose clock starts now.
void ponderHit(UciSession& session);

// Stops the search and ends the worker; false when it did not end within a moment.
bool endSearchWorker(UciSession& session);
