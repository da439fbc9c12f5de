// Fixtures shared by the tests: setting up and comparing positions, random games,
// capturing the console and running the built programs.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/console.h"
#include "core/fen.h"
#include "core/movegen.h"
#include "core/notation.h"
#include "core/position.h"
#include "core/rules.h"

namespace test {

// Sets up the global position from FEN; use as ASSERT_TRUE(test::loadFen(...)).
inline ::testing::AssertionResult loadFen(const std::string& fen) {
    std::string error;
    if (readFen(fen, error)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "readFen refused \"" << fen << "\": " << error;
}

// The starting position with an empty history, as the program begins.
inline void startGame() {
    pos.historyCount = 0;
    setupInitialPosition();
}

// Finds the generated move given in coordinate notation ("e2e4", "b7a8q"); NO_MOVE when
// the side to move has no such pseudo-legal move.
inline Move findMove(const std::string& text) {
    MoveList list;
    generateMoves(list);
    for (int k = 0; k < list.count; ++k) {
        if (coordinateName(list.moves[k]) == text) return list.moves[k];
    }
    return NO_MOVE;
}

// Plays moves given in coordinate notation, separated by spaces; use as
// ASSERT_TRUE(test::play("e2e4 e7e5")).
inline ::testing::AssertionResult play(const std::string& moves) {
    std::istringstream in(moves);
    for (std::string text; in >> text;) {
        const Move m = findMove(text);
        if (m == NO_MOVE) return ::testing::AssertionFailure() << text << " is not generated";
        if (!makeMove(m)) return ::testing::AssertionFailure() << text << " is refused";
    }
    return ::testing::AssertionSuccess();
}

// Compares two positions word by word (every field is 32 bits wide, history contents
// included) and names the first field that differs.
inline ::testing::AssertionResult samePosition(const Position& was, const Position& is) {
    constexpr int FIELDS = 6;  // side to hash, between the board and the history
    static_assert(sizeof(Position) == (BOARD_SIZE + FIELDS + HISTORY_SIZE) * sizeof(uint32_t));
    const char* names[FIELDS] = {"side",          "epSquare",     "castling",
                                 "halfmoveClock", "historyCount", "hash"};
    const auto* before = reinterpret_cast<const uint32_t*>(&was);
    const auto* now = reinterpret_cast<const uint32_t*>(&is);
    for (int k = 0; k < BOARD_SIZE + FIELDS + HISTORY_SIZE; ++k) {
        if (before[k] == now[k]) continue;
        const std::string name = k < BOARD_SIZE ? "board[" + std::to_string(k) + "]"
                                 : k < BOARD_SIZE + FIELDS
                                     ? names[k - BOARD_SIZE]
                                     : "history[" + std::to_string(k - BOARD_SIZE - FIELDS) + "]";
        return ::testing::AssertionFailure() << name << " is " << now[k] << ", was " << before[k];
    }
    return ::testing::AssertionSuccess();
}

// Compares the position with the one before a search, which may leave only the hash (its
// last move recomputed it) and the history past historyCount (its moves wrote it) changed.
inline ::testing::AssertionResult sameAfterSearch(const Position& before) {
    Position seen = pos;
    seen.hash = before.hash;
    if (seen.historyCount == before.historyCount) {
        std::copy(before.history + before.historyCount, before.history + HISTORY_SIZE,
                  seen.history + seen.historyCount);
    }
    return samePosition(before, seen);
}

// Plays seeded random games from the starting position, choosing uniformly among the
// legal moves, and calls visit(lastMove) on every position reached: NO_MOVE for the
// starting position, otherwise the move that led there. Returns the positions visited.
template <typename Visit>
int randomPlayouts(unsigned seed, int games, int maxPlies, Visit visit) {
    std::mt19937 random(seed);
    int visited = 0;
    for (int game = 0; game < games; ++game) {
        startGame();
        Move lastMove = NO_MOVE;
        for (int ply = 0;; ++ply) {
            visit(lastMove);
            ++visited;
            if (ply == maxPlies || pos.halfmoveClock >= FIFTY_MOVE_LIMIT) break;
            // The first legal move in a random order is a uniform choice among them.
            MoveList list;
            generateMoves(list);
            bool moved = false;
            for (int left = list.count; left > 0 && !moved;) {
                const int k = std::uniform_int_distribution<int>(0, left - 1)(random);
                lastMove = list.moves[k];
                moved = makeMove(lastMove);
                list.moves[k] = list.moves[--left];
            }
            if (!moved) break;
        }
    }
    return visited;
}

// Returns what the console functions write while the action runs.
template <typename Action>
std::string captureConsole(Action action) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return "(no temporary file)";
    const int saved = consoleOutput;
    consoleOutput = fileno(file);
    action();
    consoleOutput = saved;
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string readTestData(const std::string& name) {
    return readFile(std::string(CHESS_TEST_DATA) + "/" + name);
}
inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct ToolRun {
    int status = -1;  // the exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a program with the arguments and the text as standard input; standard output goes
// to outputPath when one is given (and is then not captured).
inline ToolRun runProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& input = "", const std::string& outputPath = "") {
    static int runs = 0;
    const std::string base = ::testing::TempDir() + "chess_run_" + std::to_string(getpid()) + "_" +
                             std::to_string(++runs);
    std::ofstream(base + ".in", std::ios::binary) << input;
    std::string command = shellQuoted(program);
    for (const std::string& arg : args) command += ' ' + shellQuoted(arg);
    command += " <" + shellQuoted(base + ".in") + " >" +
               shellQuoted(outputPath.empty() ? base + ".out" : outputPath) + " 2>" +
               shellQuoted(base + ".err");
    const int raw = std::system(command.c_str());
    ToolRun run;
    if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    run.out = readFile(base + ".out");
    run.err = readFile(base + ".err");
    for (const char* suffix : {".in", ".out", ".err"}) std::remove((base + suffix).c_str());
    return run;
}

// The companion tool is built beside the game program.
inline std::string toolPath() {
    const std::string game = CHESS_BINARY;
    return game.substr(0, game.find_last_of('/') + 1) + "chesstool";
}

inline ToolRun runTool(const std::vector<std::string>& args, const std::string& input = "",
                       const std::string& outputPath = "") {
    return runProgram(toolPath(), args, input, outputPath);
}
}  // namespace test
