// Counting the move sequences makeMove accepts, the standard check of a move generator.
#pragma once

#include <cstdint>

#include "core/move.h"
#include "core/movegen.h"

// Returns the number of legal move sequences of the given length from the current
// position, making every move: the definition the faster counts are checked against.
uint64_t perft(int depth);

// Returns the same number, counting the moves of the last ply with countLegalMoves
// instead of making them.
uint64_t fastPerft(int depth);

// The number of sequences that begin with one legal root move.
struct RootCount {
    Move move;
    uint64_t count;
};

// Counts with fastPerft the sequences below each legal root move of the current
// position, in generation order, sharing the work among the given number of threads,
// each playing on its own copy of the position. Returns the number of legal root moves;
// the position is left as it was.
int dividePerft(int depth, int threads, RootCount (&counts)[MAX_MOVES]);
