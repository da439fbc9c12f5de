#include "tools/chesstool/uci_command.h"

#include <cinttypes>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/notation.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/search.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/game_record.h"

namespace {

constexpr const char* UCI_HELP =
    "Speaks the Universal Chess Interface on standard input and output: uci, isready,\n"
    "ucinewgame, position startpos|fen FEN [moves ...], go [depth N] (default 6; other\n"
    "limits are accepted and ignored), quit. Nothing is printed before uci.\n";

constexpr const char* ENGINE_NAME = "selfplay_chess";
constexpr const char* ENGINE_AUTHOR = "the selfplay_chess developers";
constexpr int CENTIPAWNS_PER_PAWN = 100;
constexpr double MILLISECONDS_PER_SECOND = 1000.0;

using Words = std::vector<std::string_view>;

Words splitWords(std::string_view line) {
    Words words;
    size_t i = 0;
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < line.size()) {
        while (i < line.size() && isSpace(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !isSpace(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Writes one line and flushes it at once.
void say(const UciSession& session, const std::string& line) {
    std::fputs(line.c_str(), session.out);
    std::fputc('\n', session.out);
    std::fflush(session.out);
}

std::string joinWords(const Words& words, size_t first, size_t last) {
    std::string text;
    for (size_t k = first; k < last; ++k) {
        if (k > first) text += ' ';
        text += words[k];
    }
    return text;
}

// Sets up the position that "position" names and plays its moves; on any error says so
// and leaves the position as it was before the command.
void handlePosition(const UciSession& session, const Words& words) {
    static Position previous;
    previous = pos;
    size_t movesAt = 1;
    while (movesAt < words.size() && words[movesAt] != "moves") ++movesAt;
    std::string error;
    bool ok = true;
    if (words.size() > 1 && words[1] == "startpos" && movesAt == 2) {
        ok = readFen(START_FEN, error);
    } else if (words.size() > 1 && words[1] == "fen") {
        ok = readFen(joinWords(words, 2, movesAt), error);
        if (!ok) error = "bad FEN: " + error;
    } else {
        ok = false;
        error = "position needs startpos or fen";
    }
    for (size_t k = movesAt + 1; ok && k < words.size(); ++k) {
        const Move move = parseCoordinateMove(words[k]);
        ok = move != NO_MOVE && makeMove(move);
        if (!ok) error = "illegal move " + std::string(words[k]);
    }
    if (ok) return;
    pos = previous;
    say(session, "info string " + printable(error) + "; position unchanged");
}

// Reads the depth of a "go" command; other limits and their values are skipped.
int goDepth(const UciSession& session, const Words& words) {
    int depth = session.defaultDepth;
    for (size_t k = 1; k + 1 < words.size(); ++k) {
        if (words[k] != "depth") continue;
        if (!parseDepth(words[k + 1], session.maxDepth, depth)) {
            say(session, "info string " + printable(depthError(words[k + 1], session.maxDepth)) +
                             "; searching to depth " + std::to_string(session.defaultDepth));
            depth = session.defaultDepth;
        }
    }
    return depth;
}

std::string scoreText(int score) {
    const int mateMoves = mateMovesOf(score, pos.historyCount);
    if (mateMoves == 0) return "cp " + std::to_string(score * CENTIPAWNS_PER_PAWN);
    return "mate " + std::to_string(mateMoves);
}

void handleGo(const UciSession& session, const Words& words) {
    const int depth = goDepth(session, words);
    MoveList legal;
    generateLegalMoves(legal);
    if (legal.count == 0) {
        say(session, "bestmove 0000");
        return;
    }
    computeHash();
    const uint64_t callsBefore = searchCalls;
    const Clock::time_point start = Clock::now();
    const int score = fastSearch(depth);
    const double seconds = secondsSince(start);
    const uint64_t calls = searchCalls - callsBefore;
    char info[160];
    std::snprintf(info, sizeof info, "info depth %d score %s nodes %" PRIu64 " time %.0f nps %.0f",
                  depth, scoreText(score).c_str(), calls, seconds * MILLISECONDS_PER_SECOND,
                  ratePerSecond(calls, seconds));
    say(session, info);
    say(session, "bestmove " + coordinateName(bestMove));
}

}  // namespace

void startUciSession(UciSession& session) {
    session.started = false;
    std::string error;
    readFen(START_FEN, error);
    clearSearchTable();
}

UciStep handleUciLine(UciSession& session, std::string_view line) {
    const Words words = splitWords(line);
    if (words.empty()) return UciStep::CONTINUE;
    const std::string_view command = words[0];
    if (command == "quit") return UciStep::QUIT;
    if (command == "uci") {
        session.started = true;
        say(session, std::string("id name ") + ENGINE_NAME);
        say(session, std::string("id author ") + ENGINE_AUTHOR);
        say(session, "uciok");
    } else if (!session.started) {
        return UciStep::CONTINUE;
    } else if (command == "isready") {
        say(session, "readyok");
    } else if (command == "ucinewgame") {
        std::string error;
        readFen(START_FEN, error);
        clearSearchTable();
    } else if (command == "position") {
        handlePosition(session, words);
    } else if (command == "go") {
        handleGo(session, words);
    }
    return UciStep::CONTINUE;
}

int runUciCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", UCI_USAGE, UCI_HELP);
        return finishOutput("uci");
    }
    if (argc >= 1) {
        return reportUsageError("uci",
                                "unknown argument '" + std::string(argv[0]) + "'; " + UCI_USAGE);
    }
    UciSession session;
    startUciSession(session);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (handleUciLine(session, line) == UciStep::QUIT) break;
    }
    return finishOutput("uci");
}
