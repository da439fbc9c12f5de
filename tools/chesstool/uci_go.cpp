#include "tools/chesstool/uci_go.h"

#include <algorithm>
#include <iterator>

#include "core/notation.h"
#include "core/rules.h"
#include "core/text.h"
#include "search/limits.h"

namespace {

struct GoNumberField {
    const char* name;
    int64_t GoNumbers::*field;
    int64_t least;  // the smallest value accepted
};

// clang-format off
constexpr GoNumberField GO_NUMBERS[] = {
    {"wtime", &GoNumbers::wtime, INT64_MIN},  {"btime", &GoNumbers::btime, INT64_MIN},
    {"winc", &GoNumbers::winc, 0},            {"binc", &GoNumbers::binc, 0},
    {"movestogo", &GoNumbers::movestogo, 1},  {"movetime", &GoNumbers::movetime, 0},
    {"nodes", &GoNumbers::nodes, 1},          {"mate", &GoNumbers::mate, 1},
    {"depth", &GoNumbers::depth, 1},
};
// clang-format on

bool isGoKeyword(std::string_view word) {
    return word == "infinite" || word == "ponder" || word == "searchmoves" ||
           std::any_of(std::begin(GO_NUMBERS), std::end(GO_NUMBERS),
                       [&](const GoNumberField& f) { return word == f.name; });
}

// Notes a word left out; only the first is told, the others counted.
void leaveOut(GoCommand& go, const std::string& complaint) {
    if (go.wordsLeftOut++ == 0) go.complaint = complaint;
}

// Reads the moves after "searchmoves"; returns the index of the last word read.
size_t readSearchMoves(const UciWords& words, size_t k, GoCommand& go) {
    while (k + 1 < words.size() && !isGoKeyword(words[k + 1])) {
        const Move move = parseCoordinateMove(words[++k]);
        if (move == NO_MOVE) {
            leaveOut(go, "searchmoves: illegal move " + quotedWord(words[k]) + " left out");
        } else {
            go.searchMoves.push_back(move);
        }
    }
    return k;
}

// Reads a number after its name; returns the index of the last word read.
size_t readGoNumber(const UciWords& words, size_t k, GoCommand& go) {
    const std::string_view name = words[k];
    const GoNumberField* field =
        std::find_if(std::begin(GO_NUMBERS), std::end(GO_NUMBERS),
                     [&](const GoNumberField& f) { return name == f.name; });
    if (field == std::end(GO_NUMBERS)) {
        leaveOut(go, "go: unknown word " + quotedWord(name) + " ignored");
        return k;
    }
    int64_t value = 0;
    if (k + 1 < words.size() && parseWholeNumber(words[k + 1], field->least, INT64_MAX, value)) {
        go.numbers.*(field->field) = value;
    } else {
        const std::string_view given = k + 1 < words.size() ? words[k + 1] : "";
        leaveOut(go, "go: bad " + std::string(name) + " " + quotedWord(given) + " ignored");
    }
    return k + 1;
}

}  // namespace

GoCommand readGo(const UciWords& words) {
    GoCommand go;
    for (size_t k = 1; k < words.size(); ++k) {
        if (words[k] == "infinite") {
            go.infinite = true;
        } else if (words[k] == "ponder") {
            go.ponder = true;
        } else if (words[k] == "searchmoves") {
            k = readSearchMoves(words, k, go);
        } else {
            k = readGoNumber(words, k, go);
        }
    }
    return go;
}

std::string complaintLine(const GoCommand& go) {
    const int more = go.wordsLeftOut - 1;
    if (more <= 0) return go.complaint;
    return go.complaint + ", and " + std::to_string(more) + " more bad word" +
           (more > 1 ? "s" : "");
}

SearchJob planSearch(const GoCommand& go, int defaultDepth, int maxDepth, int64_t moveOverhead) {
    const GoNumbers& n = go.numbers;
    const bool white = pos.side == WHITE;
    MoveClock clock;
    clock.timeLeft = white ? n.wtime : n.btime;
    clock.increment = white ? n.winc : n.binc;
    clock.movesToGo = static_cast<int>(std::min<int64_t>(n.movestogo, HISTORY_SIZE));
    clock.moveTime = n.movetime;
    clock.overhead = moveOverhead;
    const bool limited = n.depth > 0 || go.infinite || n.nodes > 0 || n.mate > 0 ||
                         n.movetime != NO_TIME_LIMIT || clock.timeLeft != NO_TIME_LIMIT;
    int depth = limited ? maxDepth : defaultDepth;
    if (n.mate > 0) depth = static_cast<int>(std::min<int64_t>(2 * n.mate, maxDepth));
    if (n.depth > 0) depth = static_cast<int>(std::min<int64_t>(n.depth, maxDepth));

    SearchJob job{pos, {}, go.infinite, go.ponder};
    SearchRequest& request = job.request;
    request.depth = depth;
    request.deepen = true;
    request.maxCalls = n.nodes > 0 ? uint64_t(n.nodes) : NO_CALL_LIMIT;
    request.mateMoves = static_cast<int>(n.mate);
    request.budget = planMoveTime(clock);
    MoveList legal;
    generateLegalMoves(legal);
    for (int k = 0; k < legal.count; ++k) {
        const Move move = legal.moves[k];
        const bool listed =
            go.searchMoves.empty() ||
            std::find(go.searchMoves.begin(), go.searchMoves.end(), move) != go.searchMoves.end();
        if (listed) request.rootMoves.moves[request.rootMoves.count++] = move;
    }
    return job;
}
