#include "core/perft.h"

#include "core/movegen.h"
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
        pos.side ^= BLACK;
        restoreSnapshot(snapshot);
    }
    return count;
}
