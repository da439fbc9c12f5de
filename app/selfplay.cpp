#include "app/selfplay.h"

#include <cstdlib>

#include "app/console.h"
#include "app/render.h"
#include "core/attacks.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/search.h"

namespace {

// Tells whether the side to move is checkmated, which stands over the fifty-move rule.
bool isCheckmate() {
    if (!inCheck(pos.side)) return false;
    MoveList legal;
    generateLegalMoves(legal);
    return legal.count == 0;
}

}  // namespace

PlyResult playPly(SearchContext& context) {
    const int score = fastSearch(context, ROOT_DEPTH);
    const Move move = bestMove;
    if (move == NO_MOVE) {
        const PlyOutcome end = inCheck(pos.side) ? PlyOutcome::CHECKMATE : PlyOutcome::STALEMATE;
        return {NO_MOVE, end, false, score};
    }
    makeMove(move);
    if (pos.halfmoveClock >= FIFTY_MOVE_LIMIT && !isCheckmate()) {
        return {move, PlyOutcome::FIFTY_MOVE_DRAW, false, score};
    }
    if (countRepetitions() >= REPETITION_LIMIT) {
        return {move, PlyOutcome::REPETITION_DRAW, false, score};
    }
    return {move, PlyOutcome::MOVED, inCheck(pos.side), score};
}

void runSelfPlay() {
    SearchWithTable search;
    if (!setUpSearch(search)) std::exit(EXIT_FAILURE);  // no memory for the table
    for (;;) {
        const PlyResult ply = playPly(search.context);
        switch (ply.outcome) {
            case PlyOutcome::CHECKMATE:
                writeLine("CHECKMATE!");
                return;
            case PlyOutcome::STALEMATE:
                writeLine("STALEMATE!");
                return;
            case PlyOutcome::FIFTY_MOVE_DRAW:
            case PlyOutcome::REPETITION_DRAW:
                writeLine("DRAW!");
                return;
            case PlyOutcome::MOVED:
                if (ply.givesCheck) writeLine("CHECK!");
                printBoard();
                break;
        }
    }
}
