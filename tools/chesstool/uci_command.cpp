#include "tools/chesstool/uci_command.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/notation.h"
#include "core/rules.h"
#include "core/text.h"
#include "search/fastsearch.h"
#include "search/ttable.h"
#include "tools/chesstool/cli.h"
#include "tools/chesstool/uci_go.h"

namespace {

constexpr const char* UCI_HELP =
    "Speaks the Universal Chess Interface on standard input and output: uci, isready,\n"
    "ucinewgame, setoption, position startpos|fen FEN [moves ...], go [searchmoves ...]\n"
    "[ponder] [wtime btime winc binc movestogo movetime depth nodes mate N] [infinite],\n"
    "stop, ponderhit, quit. Without a limit, go searches to depth 6. Options: Hash (MiB),\n"
    "Clear Hash, Ponder, Move Overhead (ms). Nothing is printed before uci.\n";

constexpr const char* ENGINE_NAME = "selfplay_chess";
constexpr const char* ENGINE_AUTHOR = "the selfplay_chess developers";
constexpr int64_t MAX_MOVE_OVERHEAD = 5000;

using Words = UciWords;

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

std::string joinWords(const Words& words, size_t first, size_t last) {
    std::string text;
    for (size_t k = first; k < last && k < words.size(); ++k) {
        if (k > first) text += ' ';
        text += words[k];
    }
    return text;
}

// Tells the interface about bad input in one line; every word of input in it is quoted.
void sayInfo(UciSession& session, const std::string& message) {
    sayLine(session.output, "info string " + message);
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Sets up the position that "position" names and plays its moves; on any error says so
// and keeps the position from before the command.
void handlePosition(UciSession& session, const Words& words) {
    size_t movesAt = 1;
    while (movesAt < words.size() && words[movesAt] != "moves") ++movesAt;
    std::string error;
    bool ok = true;
    if (words.size() > 1 && words[1] == "startpos" && movesAt == 2) {
        ok = readFen(START_FEN, error);
    } else if (words.size() > 2 && words[1] == "startpos") {
        ok = false;
        error = "'moves' is missing before " + quotedWord(words[2]);
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
        if (!ok) error = "illegal move " + quotedWord(words[k]);
    }
    if (ok) {
        session.position = pos;
        return;
    }
    pos = session.position;
    sayInfo(session, error + "; position unchanged");
}

void handleGo(UciSession& session, const Words& words) {
    pos = session.position;
    const GoCommand go = readGo(words);
    if (go.wordsLeftOut > 0) sayInfo(session, complaintLine(go));
    if (go.numbers.depth > session.maxDepth) {
        sayInfo(session, "go: depth " + std::to_string(go.numbers.depth) +
                             " is beyond the deepest search; searching to depth " +
                             std::to_string(session.maxDepth));
    }
    startSearch(session.worker,
                planSearch(go, session.defaultDepth, session.maxDepth, session.moveOverhead));
}

void sayOptions(UciOutput& output) {
    sayLine(output, "option name Hash type spin default " + std::to_string(DEFAULT_TABLE_MIB) +
                        " min 1 max " + std::to_string(MAX_TABLE_MIB));
    sayLine(output, "option name Clear Hash type button");
    sayLine(output, "option name Ponder type check default false");
    sayLine(output, "option name Move Overhead type spin default " +
                        std::to_string(DEFAULT_MOVE_OVERHEAD) + " min 0 max " +
                        std::to_string(MAX_MOVE_OVERHEAD));
}

// Reads a whole number from least to most for an option.
bool readOptionValue(UciSession& session, const std::string& name, const std::string& text,
                     int64_t least, int64_t most, int64_t& value) {
    if (parseWholeNumber(text, least, most, value)) return true;
    sayInfo(session, "option " + name + " takes " + std::to_string(least) + " to " +
                         std::to_string(most) + ", not " + quotedWord(text));
    return false;
}

void handleSetOption(UciSession& session, const Words& words) {
    size_t valueAt = 2;
    while (valueAt < words.size() && words[valueAt] != "value") ++valueAt;
    if (words.size() < 3 || words[1] != "name") {
        sayInfo(session, "setoption needs: setoption name NAME [value VALUE]");
        return;
    }
    const std::string name = joinWords(words, 2, valueAt);
    const std::string text = joinWords(words, valueAt + 1, words.size());
    int64_t value = 0;
    if (sameName(name, "Hash")) {
        if (!readOptionValue(session, "Hash", text, 1, MAX_TABLE_MIB, value)) return;
        if (!resizeTable(session.worker, static_cast<int>(value))) {
            sayInfo(session, "no memory for that Hash");
        }
    } else if (sameName(name, "Clear Hash")) {
        clearTable(session.worker);
    } else if (sameName(name, "Ponder")) {
        // Only the interface decides when to ponder; the value is checked and not kept.
        if (text != "true" && text != "false") {
            sayInfo(session, "option Ponder takes true or false, not " + quotedWord(text));
        }
    } else if (sameName(name, "Move Overhead")) {
        if (readOptionValue(session, "Move Overhead", text, 0, MAX_MOVE_OVERHEAD, value)) {
            session.moveOverhead = value;
        }
    } else {
        sayInfo(session, "unknown option " + quotedWord(name));
    }
}

void setUpStart(UciSession& session) {
    std::string error;
    readFen(START_FEN, error);
    session.position = pos;
}

}  // namespace

bool startUciSession(UciSession& session) {
    session.started = false;
    setUpStart(session);
    return setUpWorker(session.worker, session.output, DEFAULT_TABLE_MIB);
}

UciStep handleUciLine(UciSession& session, std::string_view line) {
    const Words words = splitWords(line);
    if (words.empty()) return UciStep::CONTINUE;
    const std::string_view command = words[0];
    if (command == "quit") return UciStep::QUIT;
    if (command == "uci") {
        session.started = true;
        sayLine(session.output, std::string("id name ") + ENGINE_NAME);
        sayLine(session.output, std::string("id author ") + ENGINE_AUTHOR);
        sayOptions(session.output);
        sayLine(session.output, "uciok");
    } else if (!session.started) {
        return UciStep::CONTINUE;
    } else if (command == "isready") {
        sayLine(session.output, "readyok");
    } else if (command == "stop") {
        stopSearch(session.worker);
    } else if (command == "ponderhit") {
        ponderHit(session.worker);
    } else if (command == "ucinewgame") {
        waitForSearch(session.worker);
        setUpStart(session);
        clearTable(session.worker);
    } else if (command == "position") {
        waitForSearch(session.worker);
        pos = session.position;
        handlePosition(session, words);
    } else if (command == "setoption") {
        waitForSearch(session.worker);
        handleSetOption(session, words);
    } else if (command == "go") {
        waitForSearch(session.worker);
        handleGo(session, words);
    }
    return UciStep::CONTINUE;
}

bool endUciSession(UciSession& session) { return shutDownWorker(session.worker); }

int runUciCommand(int argc, char** argv) {
    if (argc >= 1 && isHelpArgument(argv[0])) {
        std::printf("%s\n%s", UCI_USAGE, UCI_HELP);
        return finishOutput("uci");
    }
    if (argc >= 1) {
        return reportUsageError("uci", unknownArgument(argv[0], UCI_USAGE));
    }
    UciSession session;
    if (!startUciSession(session)) return reportNoTableMemory("uci");
    std::string line;
    while (std::getline(std::cin, line)) {
        if (handleUciLine(session, line) == UciStep::QUIT) break;
    }
    // A search that cannot be interrupted is left behind: the process ends now.
    if (!endUciSession(session)) std::_Exit(finishOutput("uci"));
    return finishOutput("uci");
}
