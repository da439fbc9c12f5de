#include "search/search.h"

#include "core/attacks.h"
#include "core/movegen.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/evaluate.h"

namespace {
// Plies below the top-level call of this thread's search in progress.
thread_local int ply = 0;
}  // namespace

int search(int alpha, int beta, int depth) {
    ++searchCalls;
    // 1. Leaves are scored by material alone.
    if (depth <= 0) return evaluate();

    // 2. A side in check looks one ply further, within the bound of the extension.
    const bool inCheckNow = inCheck(pos.side);
    if (inCheckNow && ply < MAX_PLY) ++depth;

    // 3. Try every legal move in generation order, undoing each by copy.
    MoveList list;
    generateMoves(list);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    bool anyLegal = false;
    for (int k = 0; k < list.count; ++k) {
        const Move move = list.moves[k];
        if (!makeMove(move)) continue;
        anyLegal = true;
        ++ply;
        const int score = -search(-beta, -alpha, depth - 1);
        --ply;
        undoMove(snapshot);

        // 4. Keep the first of equal scores; fail hard on a cut-off.
        if (score > alpha) {
            if (score >= beta) return beta;
            alpha = score;
            if (ply == 0) bestMove = move;
        }
    }

    // 5. Mate, stalemate and the fifty-move rule.
    if (!anyLegal) return inCheckNow ? pos.historyCount - SCORE_LIMIT : 0;
    if (pos.halfmoveClock >= FIFTY_MOVE_LIMIT) return 0;
    return alpha;
}

int searchAtPly(int alpha, int beta, int depth, int atPly) {
    const int saved = ply;
    ply = atPly;
    const int score = search(alpha, beta, depth);
    ply = saved;
    return score;
}
