#include "app/selfplay.h"

#include "app/console.h"
#include "app/render.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/fastsearch.h"
#include "search/search.h"

Move chooseMove() {
    fastSearch(ROOT_DEPTH);
    return bestMove;
}

PlyResult playPly() {
    const Move move = chooseMove();
    if (move == NO_MOVE) {
        return {NO_MOVE, inCheck(pos.side) ? PlyOutcome::CHECKMATE : PlyOutcome::STALEMATE, false};
    }
    makeMove(move);
    if (pos.halfmoveClock >= FIFTY_MOVE_LIMIT) return {move, PlyOutcome::FIFTY_MOVE_DRAW, false};
    if (countRepetitions() >= REPETITION_LIMIT) return {move, PlyOutcome::REPETITION_DRAW, false};
    return {move, PlyOutcome::MOVED, inCheck(pos.side)};
}

void runSelfPlay() {
    for (;;) {
        const PlyResult ply = playPly();
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
