// Counting the move sequences that makeMove accepts, the standard check of a move generator.
#pragma once

#include <cstdint>

// Returns the number of legal move sequences of the given length from the current position.
uint64_t perft(int depth);
