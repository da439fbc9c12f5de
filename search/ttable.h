// The transposition table of the fast search: one block of a power-of-two number of
// entries, allocated when its owner sets it up and again only when its size is set.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

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

// One stored answer, with what it relied on packed beside it: the quiet plies (plus one)
// in the low byte of the check word, the reach in the low six bits of the bound byte.
struct TableEntry {
    uint64_t checkAndQuiet;
    Move move;
    int16_t score;
    int8_t depth;
    uint8_t boundAndReach;
};

constexpr uint64_t QUIET_BITS = 0xFF;
constexpr int MAX_STORED_QUIET = static_cast<int>(QUIET_BITS) - 1;
constexpr int MAX_STORED_REACH = 63;
constexpr int BOUND_SHIFT = 6;
constexpr int MAX_STORED_DEPTH = INT8_MAX;
constexpr int MAX_STORED_SCORE = INT16_MAX;

constexpr int DEFAULT_TABLE_MIB = 16;
constexpr int MAX_TABLE_MIB = 1024;

struct FreeEntries {
    void operator()(TableEntry* entries) const { std::free(entries); }
};

struct TranspositionTable {
    std::unique_ptr<TableEntry[], FreeEntries> entries;
    uint64_t size = 0;  // a power of two, or 0 before the table is set up
};

// Computes both keys of the global position from scratch.
TableKey positionKey();

// Returns the keys after a move, given the position before it (the snapshot) and after it.
TableKey updateKey(TableKey key, Move move, const PositionSnapshot& before);

// Returns the entry stored for this position, or nullptr.
const TableEntry* probeTable(const TranspositionTable& table, const TableKey& key);

// Stores an answer; reach and quiet must fit their bits, depth and score their fields.
void storeTable(TranspositionTable& table, const TableKey& key, Move move, int score, int depth,
                Bound bound, int reach, int quiet);

// Empties the table. A large one gets fresh memory, which the system hands out zeroed as
// it is first touched, so that clearing costs no time however large it is.
void clearTable(TranspositionTable& table);

// Replaces the table by an empty one of the given size in MiB (1 to MAX_TABLE_MIB), rounded
// down to a power of two; returns false, keeping the table, when the memory is not there.
bool setTableSize(TranspositionTable& table, int mebibytes);

inline Bound entryBound(const TableEntry& entry) {
    return Bound(entry.boundAndReach >> BOUND_SHIFT);
}
inline int entryReach(const TableEntry& entry) { return entry.boundAndReach & MAX_STORED_REACH; }
inline int entryQuiet(const TableEntry& entry) {
    return static_cast<int>(entry.checkAndQuiet & QUIET_BITS) - 1;
}
