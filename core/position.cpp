#include "core/position.h"

#include <algorithm>
#include <cstring>

// clang-format off
const PieceCode INITIAL_BOARD[BOARD_SIZE] = {
    7,  7,  7,  7,  7,  7,  7,  7,  7,  7,
    7,  7,  7,  7,  7,  7,  7,  7,  7,  7,
    7, 12, 10, 11, 13, 14, 11, 10, 12,  7,
    7,  9,  9,  9,  9,  9,  9,  9,  9,  7,
    7,  0,  0,  0,  0,  0,  0,  0,  0,  7,
    7,  0,  0,  0,  0,  0,  0,  0,  0,  7,
    7,  0,  0,  0,  0,  0,  0,  0,  0,  7,
    7,  0,  0,  0,  0,  0,  0,  0,  0,  7,
    7,  1,  1,  1,  1,  1,  1,  1,  1,  7,
    7,  4,  2,  3,  5,  6,  3,  2,  4,  7,
    7,  7,  7,  7,  7,  7,  7,  7,  7,  7,
    7,  7,  7,  7,  7,  7,  7,  7,  7,  7,
};
// clang-format on

namespace {
// The hash covers rows 2 to 9 including their edge columns.
constexpr int HASH_FIRST_SQUARE = 20;
constexpr int HASH_LAST_SQUARE = 99;
constexpr int EP_HASH_SHIFT = 30;
constexpr int CASTLING_HASH_SHIFT = 26;
}  // namespace

void setupInitialPosition() {
    std::memcpy(pos.board, INITIAL_BOARD, sizeof pos.board);
    pos.side = WHITE;
    pos.castling = CR_ALL;
    pos.epSquare = NO_SQUARE;
    pos.halfmoveClock = 0;
    computeHash();
}

void computeHash() {
    uint32_t h = (static_cast<uint32_t>(pos.epSquare) << EP_HASH_SHIFT) |
                 (static_cast<uint32_t>(pos.castling) << CASTLING_HASH_SHIFT);
    for (int i = HASH_FIRST_SQUARE; i <= HASH_LAST_SQUARE; ++i) {
        h ^= static_cast<uint32_t>(i) * static_cast<uint32_t>(pos.board[i]);
    }
    pos.hash = h;
}

int countRepetitions() {
    // A position set up from FEN may have a clock longer than its history.
    const int first = std::max(0, pos.historyCount - pos.halfmoveClock);
    return static_cast<int>(
        std::count(pos.history + first, pos.history + pos.historyCount, pos.hash));
}

void recordHash() {
    if (pos.historyCount < HISTORY_SIZE) pos.history[pos.historyCount++] = pos.hash;
}

void takeSnapshot(PositionSnapshot& snapshot) {
    std::memcpy(snapshot.board, pos.board, sizeof snapshot.board);
    snapshot.castling = pos.castling;
    snapshot.epSquare = pos.epSquare;
    snapshot.halfmoveClock = pos.halfmoveClock;
    snapshot.historyCount = pos.historyCount;
}

void restoreSnapshot(const PositionSnapshot& snapshot) {
    std::memcpy(pos.board, snapshot.board, sizeof pos.board);
    pos.castling = snapshot.castling;
    pos.epSquare = snapshot.epSquare;
    pos.halfmoveClock = snapshot.halfmoveClock;
    pos.historyCount = snapshot.historyCount;
}

void undoMove(const PositionSnapshot& snapshot) {
    pos.side ^= BLACK;
    restoreSnapshot(snapshot);
}
