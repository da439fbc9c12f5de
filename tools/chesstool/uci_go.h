// The go command of the UCI engine: its words read into the limits of a search, the words it
// cannot use told in one line, and the search those limits ask for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/move.h"
#include "search/timeman.h"
#include "tools/chesstool/uci_worker.h"

using UciWords = std::vector<std::string_view>;

// The numbers "go" may carry; a limit makes the search deepen until it is met.
struct GoNumbers {
    int64_t wtime = NO_TIME_LIMIT;
    int64_t btime = NO_TIME_LIMIT;
    int64_t winc = 0;
    int64_t binc = 0;
    int64_t movestogo = 0;
    int64_t movetime = NO_TIME_LIMIT;
    int64_t nodes = 0;
    int64_t mate = 0;
    int64_t depth = 0;
};

struct GoCommand {
    GoNumbers numbers;
    bool infinite = false;
    bool ponder = false;
    std::vector<Move> searchMoves;
    std::string complaint;  // the first word left out, said so; "" when none was
    int wordsLeftOut = 0;
};

// Reads the words of a go command, the first being "go", for the global position.
GoCommand readGo(const UciWords& words);

// Tells in one line which words the command left out: the first, and how many more.
std::string complaintLine(const GoCommand& go);

// Works out how deep, how long and over which moves the search of the global position goes:
// to defaultDepth when the command names no limit, never beyond maxDepth.
SearchJob planSearch(const GoCommand& go, int defaultDepth, int maxDepth, int64_t moveOverhead);
