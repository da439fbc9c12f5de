#include "search/ttable.h"

#include <cassert>
#include <cstring>

#include "core/rules.h"

namespace {

constexpr uint64_t nextRandom(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr int CONTENTS = 16;  // square content & 15

struct ZobristKeys {
    uint64_t piece[BOARD_SIZE][CONTENTS];
    uint64_t castling[CONTENTS];
    uint64_t epSquare[BOARD_SIZE];
    uint64_t blackToMove;

    constexpr explicit ZobristKeys(uint64_t seed)
        : piece(), castling(), epSquare(), blackToMove(nextRandom(seed)) {
        for (auto& square : piece) {
            for (int c = 1; c < CONTENTS; ++c) square[c] = nextRandom(seed);
        }
        for (auto& rights : castling) rights = nextRandom(seed);
        for (auto& ep : epSquare) ep = nextRandom(seed);
    }

    constexpr uint64_t ep(int square) const { return square == NO_SQUARE ? 0 : epSquare[square]; }
};

constexpr ZobristKeys INDEX_KEYS(0x1D872B41C3F5A609ull);
constexpr ZobristKeys CHECK_KEYS(0x6A09E667F3BCC908ull);

constexpr uint64_t BYTES_PER_MIB = uint64_t{1} << 20;
// Tables from this size on are cleared by taking fresh memory instead of writing zeros.
constexpr uint64_t FRESH_MEMORY_BYTES = 64 * BYTES_PER_MIB;

uint64_t fullKey(const ZobristKeys& keys) {
    uint64_t k = keys.castling[pos.castling] ^ keys.ep(pos.epSquare);
    if (pos.side == BLACK) k ^= keys.blackToMove;
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) {
        k ^= keys.piece[i][pos.board[i] & 15];
    }
    return k;
}

uint64_t updatedKey(const ZobristKeys& keys, uint64_t k, const int* squares, int n,
                    const PositionSnapshot& before) {
    for (int j = 0; j < n; ++j) {
        const int s = squares[j];
        k ^= keys.piece[s][before.board[s] & 15] ^ keys.piece[s][pos.board[s] & 15];
    }
    k ^= keys.castling[before.castling] ^ keys.castling[pos.castling];
    k ^= keys.ep(before.epSquare) ^ keys.ep(pos.epSquare);
    return k ^ keys.blackToMove;
}

// Takes zero-filled memory for the entries: the system maps the pages of a large block
// only when they are first used.
bool allocateEntries(TranspositionTable& table, uint64_t size) {
    auto* entries = static_cast<TableEntry*>(std::calloc(size, sizeof(TableEntry)));
    if (entries == nullptr) return false;
    table.entries.reset(entries);
    table.size = size;
    return true;
}

}  // namespace

TableKey positionKey() { return {fullKey(INDEX_KEYS), fullKey(CHECK_KEYS)}; }

TableKey updateKey(TableKey key, Move move, const PositionSnapshot& before) {
    int squares[4];
    const int n = changedSquares(move, squares);
    return {updatedKey(INDEX_KEYS, key.index, squares, n, before),
            updatedKey(CHECK_KEYS, key.check, squares, n, before)};
}

const TableEntry* probeTable(const TranspositionTable& table, const TableKey& key) {
    const TableEntry& entry = table.entries[key.index & (table.size - 1)];
    const bool same = (entry.checkAndQuiet ^ key.check) <= QUIET_BITS;
    return same && entry.boundAndReach != 0 ? &entry : nullptr;
}

void storeTable(TranspositionTable& table, const TableKey& key, Move move, int score, int depth,
                Bound bound, int reach, int quiet) {
    assert(reach >= 0 && reach <= MAX_STORED_REACH);
    assert(quiet >= -1 && quiet <= MAX_STORED_QUIET);
    assert(depth > 0 && depth <= MAX_STORED_DEPTH && score >= -MAX_STORED_SCORE &&
           score <= MAX_STORED_SCORE);
    TableEntry& entry = table.entries[key.index & (table.size - 1)];
    entry.checkAndQuiet = (key.check & ~QUIET_BITS) | static_cast<uint64_t>(quiet + 1);
    entry.move = move;
    entry.score = static_cast<int16_t>(score);
    entry.depth = static_cast<int8_t>(depth);
    entry.boundAndReach = static_cast<uint8_t>(bound << BOUND_SHIFT | reach);
}

void clearTable(TranspositionTable& table) {
    const uint64_t bytes = table.size * sizeof(TableEntry);
    if (bytes >= FRESH_MEMORY_BYTES && allocateEntries(table, table.size)) return;
    std::memset(table.entries.get(), 0, bytes);
}

bool setTableSize(TranspositionTable& table, int mebibytes) {
    uint64_t bytes = BYTES_PER_MIB;
    while (bytes * 2 <= uint64_t(mebibytes) * BYTES_PER_MIB) bytes *= 2;
    return allocateEntries(table, bytes / sizeof(TableEntry));
}
