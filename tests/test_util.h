// Helpers shared by the rules, FEN, rendering and program tests.
#pragma once

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/fen.h"
#include "core/movegen.h"
#include "core/position.h"
#include "core/rules.h"

extern char** environ;

namespace test {

// Sets up the global position from FEN; use as ASSERT_TRUE(test::loadFen(...)).
inline ::testing::AssertionResult loadFen(const char* fen) {
    std::string error;
    if (readFen(fen, error)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "readFen refused \"" << fen << "\": " << error;
}

// The starting position with an empty history, as the program begins.
inline void startGame() {
    pos.historyCount = 0;
    setupInitialPosition();
}

inline std::vector<Move> generate() {
    MoveList list;
    generateMoves(list);
    return {list.moves, list.moves + list.count};
}

// Finds the generated move given in coordinate notation ("e2e4", "b7a8q"); NO_MOVE when
// the side to move has no such pseudo-legal move.
inline Move findMove(const std::string& text) {
    if (text.size() < 4) return NO_MOVE;
    const int from = parseSquare(text.substr(0, 2));
    const int to = parseSquare(text.substr(2, 2));
    int promotion = 0;
    if (text.size() == 5) promotion = static_cast<int>(std::string(" pnbrq").find(text[4]));
    for (Move m : generate()) {
        if (moveFrom(m) == from && moveTo(m) == to && movePromotion(m) == promotion) return m;
    }
    return NO_MOVE;
}

// Plays a move given in coordinate notation; use as ASSERT_TRUE(test::play("e2e4")).
inline ::testing::AssertionResult play(const std::string& text) {
    const Move m = findMove(text);
    if (m == NO_MOVE) return ::testing::AssertionFailure() << text << " is not generated";
    if (!makeMove(m)) return ::testing::AssertionFailure() << text << " is refused";
    return ::testing::AssertionSuccess();
}

// Compares every field of two positions, history contents included, and names the
// first one that differs.
inline ::testing::AssertionResult samePosition(const Position& expected, const Position& actual) {
    for (int i = 0; i < BOARD_SIZE; ++i) {
        if (expected.board[i] != actual.board[i]) {
            return ::testing::AssertionFailure()
                   << "board[" << i << "] is " << actual.board[i] << ", was " << expected.board[i];
        }
    }
    auto field = [](const char* name, long long was, long long is) {
        return ::testing::AssertionFailure() << name << " is " << is << ", was " << was;
    };
    if (expected.side != actual.side) return field("side", expected.side, actual.side);
    if (expected.castling != actual.castling) {
        return field("castling", expected.castling, actual.castling);
    }
    if (expected.epSquare != actual.epSquare) {
        return field("epSquare", expected.epSquare, actual.epSquare);
    }
    if (expected.halfmoveClock != actual.halfmoveClock) {
        return field("halfmoveClock", expected.halfmoveClock, actual.halfmoveClock);
    }
    if (expected.historyCount != actual.historyCount) {
        return field("historyCount", expected.historyCount, actual.historyCount);
    }
    if (expected.hash != actual.hash) return field("hash", expected.hash, actual.hash);
    for (int k = 0; k < HISTORY_SIZE; ++k) {
        if (expected.history[k] != actual.history[k]) {
            return field(("history[" + std::to_string(k) + "]").c_str(), expected.history[k],
                         actual.history[k]);
        }
    }
    return ::testing::AssertionSuccess();
}

// Plays seeded random games from the starting position, choosing uniformly among the
// legal moves, and calls visit(lastMove) on every position reached: NO_MOVE for the
// starting position, otherwise the move that led there.
// Returns the number of positions visited.
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
            // Trying the moves in random order and playing the first legal one picks
            // uniformly among the legal moves.
            MoveList list;
            generateMoves(list);
            int left = list.count;
            bool moved = false;
            while (left > 0 && !moved) {
                std::uniform_int_distribution<int> pick(0, left - 1);
                const int k = pick(random);
                lastMove = list.moves[k];
                moved = makeMove(lastMove);
                list.moves[k] = list.moves[--left];
            }
            if (!moved) break;
        }
    }
    return visited;
}

// The picture of the starting position: ten lines with CR LF and an empty line.
inline std::string startPicture() {
    const std::string light = "\xB0", dark = "\xDB";
    const std::string lightFirst = light + dark + light + dark + light + dark + light + dark;
    const std::string darkFirst = dark + light + dark + light + dark + light + dark + light;
    return " abcdefgh \r\n"
           "2rnbqkbnr2\r\n"
           "3pppppppp3\r\n"
           "4" +
           lightFirst +
           "4\r\n"
           "5" +
           darkFirst +
           "5\r\n"
           "6" +
           lightFirst +
           "6\r\n"
           "7" +
           darkFirst +
           "7\r\n"
           "8PPPPPPPP8\r\n"
           "9RNBQKBNR9\r\n"
           " abcdefgh \r\n"
           "\r\n";
}

// Starts the built program with the given descriptors as its standard input and output;
// returns its process id, or -1.
inline pid_t spawnProgram(int input, int output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    char program[] = CHESS_BINARY;
    char* argv[] = {program, nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for a process this test started; returns its wait status.
inline int waitForProgram(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Reads a whole file through its descriptor, from the start.
inline std::string readAll(int fd) {
    std::string all;
    char buffer[4096];
    for (off_t offset = 0;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, offset);
        if (n <= 0) break;
        all.append(buffer, static_cast<size_t>(n));
        offset += n;
    }
    return all;
}

// A temporary file holding the given bytes, positioned at its start.
class TempFile {
  public:
    explicit TempFile(const std::string& content = "") : file_(std::tmpfile()) {
        if (file_ == nullptr) return;
        if (!content.empty() && write(fd(), content.data(), content.size()) < 0) {
            std::fclose(file_);
            file_ = nullptr;
            return;
        }
        lseek(fd(), 0, SEEK_SET);
    }
    ~TempFile() {
        if (file_ != nullptr) std::fclose(file_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool ok() const { return file_ != nullptr; }
    int fd() const { return fileno(file_); }
    std::string content() const { return readAll(fd()); }

  private:
    std::FILE* file_;
};

}  // namespace test

namespace test {

// Compares the position with the one before a search: a search leaves every field as it
// found it except the hash, which the last move it tried recomputed, and the history
// entries past historyCount, which the moves it tried wrote.
inline ::testing::AssertionResult sameAfterSearch(const Position& before) {
    Position seen = pos;
    seen.hash = before.hash;
    if (seen.historyCount == before.historyCount) {
        std::copy(before.history + before.historyCount, before.history + HISTORY_SIZE,
                  seen.history + seen.historyCount);
    }
    return samePosition(before, seen);
}

}  // namespace test
