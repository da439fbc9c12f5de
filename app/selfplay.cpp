#include "app/selfplay.h"

#include <cstdlib>

#include "app/console.h"
#include "app/render.h"
#include "core/attacks.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/engine.h"
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

const char* outcomeMessage(PlyOutcome outcome) {
    switch (outcome) {
        case PlyOutcome::CHECKMATE:
            return "CHECKMATE!";
        case PlyOutcome::STALEMATE:
            return "STALEMATE!";
        case PlyOutcome::FIFTY_MOVE_DRAW:
        case PlyOutcome::REPETITION_DRAW:
            return "DRAW!";
        case PlyOutcome::MOVED:
            break;
    }
    return nullptr;
}

PlyResult playChosenMove(Move move, int score) {
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

PlyResult playPly(SearchContext& context, int depth) {
    const SearchAnswer answer = searchForMove(context, requestAtDepth(depth, false));
    return playChosenMove(answer.move, answer.score);
}

void runSelfPlay() {
    SearchWithTable search;
    if (!setUpSearch(search)) std::exit(EXIT_FAILURE);  // no memory for the table
    for (;;) {
        const PlyResult ply = playPly(search.context);
        if (ply.outcome != PlyOutcome::MOVED) return writeLine(outcomeMessage(ply.outcome));
        if (ply.givesCheck) writeLine(CHECK_MESSAGE);
        printBoard();
    }
}
