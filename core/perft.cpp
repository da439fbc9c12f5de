#include "core/perft.h"

#include <atomic>
#include <thread>
#include <vector>

#include "core/legality.h"
#include "core/movecount.h"
#include "core/pieces.h"
#include "core/position.h"
#include "core/rules.h"

uint64_t perft(int depth) {
    if (depth <= 0) return 1;
    MoveList list;
    generateMoves(list);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    uint64_t count = 0;
    for (int k = 0; k < list.count; ++k) {
        if (!makeMove(list.moves[k])) continue;
        count += perft(depth - 1);
        undoMove(snapshot);
    }
    return count;
}

namespace {

// Takes a move back as undoMove does, copying back only the squares the move changed.
void restoreChangedSquares(Move move, const PositionSnapshot& snapshot) {
    int squares[4];
    const int n = changedSquares(move, squares);
    for (int k = 0; k < n; ++k) pos.board[squares[k]] = snapshot.board[squares[k]];
    pos.castling = snapshot.castling;
    pos.epSquare = snapshot.epSquare;
    pos.halfmoveClock = snapshot.halfmoveClock;
    pos.side ^= BLACK;
}

uint64_t countSequences(int depth, const PieceSquares& sides) {
    const int us = sideIndex(pos.side);
    const int king = sides.king[us];
    if (depth == 1) return static_cast<uint64_t>(countLegalMoves(sides));
    MoveList list;
    generateMovesOf(list, sides.pieces[us]);
    const Checkers check = findCheckers(king, pos.side ^ BLACK);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    uint64_t count = 0;
    for (int k = 0; k < list.count; ++k) {
        const Move move = list.moves[k];
        if (leavesCheckUnanswered(move, check, king) || !playPseudoLegal(move)) continue;
        PieceSquares next = sides;
        updatePieceSquares(next, move);
        if (!exposesOwnKing(move, king, next.king[us])) count += countSequences(depth - 1, next);
        restoreChangedSquares(move, snapshot);
    }
    return count;
}

// One share of the work: the sequences that begin with a root move and, when there is
// one, a reply.
struct Task {
    int root;
    Move reply;
};

// Splits the count into tasks by root move and, from three plies on, by reply, so that
// no thread is left with one large share at the end.
std::vector<Task> splitWork(int depth, const RootCount* counts, int rootCount) {
    std::vector<Task> tasks;
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    for (int r = 0; r < rootCount; ++r) {
        if (depth < 3) {
            tasks.push_back(Task{r, NO_MOVE});
            continue;
        }
        makeMove(counts[r].move);
        MoveList replies;
        generateLegalMoves(replies);
        for (int k = 0; k < replies.count; ++k) tasks.push_back(Task{r, replies.moves[k]});
        undoMove(snapshot);
    }
    return tasks;
}

}  // namespace

uint64_t fastPerft(int depth) {
    if (depth <= 0) return 1;
    return countSequences(depth, findPieceSquares());
}

int dividePerft(int depth, int threads, RootCount (&counts)[MAX_MOVES]) {
    MoveList roots;
    generateLegalMoves(roots);
    const int rootCount = roots.count;
    for (int r = 0; r < rootCount; ++r) counts[r] = RootCount{roots.moves[r], 0};
    if (depth <= 1) {
        for (int r = 0; r < rootCount; ++r) counts[r].count = depth == 1 ? 1 : 0;
        return rootCount;
    }
    const Position root = pos;
    const std::vector<Task> tasks = splitWork(depth, counts, rootCount);
    std::vector<uint64_t> results(tasks.size());
    std::atomic<size_t> next{0};
    const auto work = [&]() {
        pos = root;
        for (size_t i = next++; i < tasks.size(); i = next++) {
            makeMove(counts[tasks[i].root].move);
            if (tasks[i].reply != NO_MOVE) makeMove(tasks[i].reply);
            results[i] = fastPerft(tasks[i].reply != NO_MOVE ? depth - 2 : depth - 1);
            pos = root;
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    for (size_t i = 0; i < tasks.size(); ++i) counts[tasks[i].root].count += results[i];
    return rootCount;
}
