// The transposition table of the fast search: one block of a power-of-two number of entries,
// allocated with the program and again only when its size is set.
#pragma once

#include <cstdint>

#include "core/move.h"
#include "core/position.h"

// Two independent 64-bit Zobrist keys: one picks the slot, the other must match in its
// upper 56 bits, so that two positions sharing a slot and a check key are practically
// impossible.
struct TableKey {
    uint64_t index;
    uint64_t check;
};

enum Bound : uint8_t { BOUND_UPPER = 1, BOUND_LOWER = 2, BOUND_EXACT = 3 };

struct TableEntry {
    uint64_t checkAndQuiet;  // the check key's upper 56 bits; the quiet plies + 1 below
    Move move;
    int16_t score;
    int8_t depth;
    uint8_t boundAndReach;  // bound in the top two bits, reach in the low six
};

constexpr int DEFAULT_TABLE_MIB = 16;
constexpr int MAX_TABLE_MIB = 1024;
constexpr int MAX_STORED_REACH = 63;
// The quiet plies of an answer that read no halfmove clock.
constexpr int NO_CLOCK_TEST = -1;
constexpr uint64_t QUIET_BITS = 0xFF;  // where an entry keeps its quiet plies

// Scores at least this far from zero are mate scores, stored relative to the node.
constexpr int MATE_RANGE = 8000;

// Computes both keys of the global position from scratch.
TableKey positionKey();

// Returns the keys after a move, given the position before it (the snapshot) and after it.
TableKey updateKey(TableKey key, Move move, const PositionSnapshot& before);

// Returns the entry stored for this position, or nullptr.
const TableEntry* probeTable(const TableKey& key);

// Stores a result; reach is how many plies below the node the search behind it went, and
// quiet how many plies without a capture or pawn move lead down to the deepest node whose
// halfmove clock the result relied on (NO_CLOCK_TEST for none).
void storeTable(const TableKey& key, Move move, int score, int depth, Bound bound, int reach,
                int quiet);

void clearTable();

// Replaces the table by an empty one of the given size in MiB (1 to MAX_TABLE_MIB), rounded
// down to a power of two; returns false, keeping the table, when the memory is not there.
bool setTableSize(int mebibytes);

// Returns the size of the table in MiB.
int tableMebibytes();

inline Bound entryBound(const TableEntry& entry) { return Bound(entry.boundAndReach >> 6); }
inline int entryReach(const TableEntry& entry) { return entry.boundAndReach & MAX_STORED_REACH; }
inline int entryQuiet(const TableEntry& entry) {
    return static_cast<int>(entry.checkAndQuiet & QUIET_BITS) + NO_CLOCK_TEST;
}

// Converts a mate score between distance from the top (in the search) and distance
// from the node (in the table); historyCount is the node's.
inline int scoreToTable(int score, int historyCount) {
    if (score >= MATE_RANGE) return score + historyCount;
    if (score <= -MATE_RANGE) return score - historyCount;
    return score;
}
inline int scoreFromTable(int stored, int historyCount) {
    if (stored >= MATE_RANGE) return stored - historyCount;
    if (stored <= -MATE_RANGE) return stored + historyCount;
    return stored;
}
