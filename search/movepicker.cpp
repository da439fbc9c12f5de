#include "search/movepicker.h"

#include <algorithm>
#include <cstring>

#include "search/evaluate.h"
#include "search/fastsearch.h"
#include "search/search.h"

namespace {

// Killer moves and the history of cut-offs by quiet moves, kept through one top-level
// search.
struct MoveOrdering {
    Move killers[MAX_PLY + FAST_SEARCH_MAX_DEPTH + 2][2];  // no line goes deeper
    int history[BOARD_SIZE][BOARD_SIZE];                   // by from- and to-square
};
MoveOrdering ordering;

// Moves the best-scored of the moves from k to end to position k.
void pickBest(MovePicker& picker, int k, int end) {
    int best = k;
    for (int j = k + 1; j < end; ++j) {
        if (picker.order[j] > picker.order[best]) best = j;
    }
    std::swap(picker.list.moves[k], picker.list.moves[best]);
    std::swap(picker.order[k], picker.order[best]);
}

// Sorts the quiet moves by falling history, keeping equal ones in generation order. The
// moves without any history, usually most of them, keep their places at the end.
void sortQuietMoves(MovePicker& picker) {
    MoveList& list = picker.list;
    Move unused[MAX_MOVES];
    int unusedCount = 0;
    int end = picker.captures;
    for (int j = picker.captures; j < list.count; ++j) {
        const Move move = list.moves[j];
        const int score = ordering.history[moveFrom(move)][moveTo(move)];
        if (score == 0) {
            unused[unusedCount++] = move;
            continue;
        }
        int i = end++;
        for (; i > picker.captures && picker.order[i - 1] < score; --i) {
            list.moves[i] = list.moves[i - 1];
            picker.order[i] = picker.order[i - 1];
        }
        list.moves[i] = move;
        picker.order[i] = score;
    }
    std::copy(unused, unused + unusedCount, list.moves + end);
}

bool isQuietMove(const MovePicker& picker, Move move) {
    for (int k = picker.captures; k < picker.list.count; ++k) {
        if (picker.list.moves[k] == move) return true;
    }
    return false;
}

bool alreadyTried(const MovePicker& picker, Move move) {
    return move == picker.skip[0] || move == picker.skip[1] || move == picker.skip[2];
}

}  // namespace

void startPicking(MovePicker& picker, Move tableMove, SquareSet pieces) {
    generateMovesOf(picker.list, pieces);
    MoveList& list = picker.list;
    Move quiet[MAX_MOVES];
    int quiets = 0;
    int captures = 0;
    for (int k = 0; k < list.count; ++k) {
        const Move m = list.moves[k];
        if (hasFlag(m, MF_CAPTURE | MF_PROMOTION)) {
            const int attacker = PIECE_VALUES[pieceType(pos.board[moveFrom(m)])];
            picker.order[captures] = materialGain(m) * 16 - attacker;
            list.moves[captures++] = m;
        } else {
            quiet[quiets++] = m;
        }
    }
    std::copy(quiet, quiet + quiets, list.moves + captures);
    picker.captures = captures;
    picker.next = 0;
    picker.killersTried = 0;
    picker.skip[0] = tableMove;
    picker.skip[1] = picker.skip[2] = NO_MOVE;
}

Move nextMove(MovePicker& picker, int ply) {
    const MoveList& list = picker.list;
    // 1. Captures and promotions, the most valuable victim and the cheapest attacker first.
    while (picker.next < picker.captures) {
        pickBest(picker, picker.next, picker.captures);
        const Move m = list.moves[picker.next++];
        if (!alreadyTried(picker, m)) return m;
    }
    // 2. The killers, when they are quiet moves of this position.
    while (picker.killersTried < 2) {
        const Move killer = ordering.killers[ply][picker.killersTried++];
        if (killer != NO_MOVE && !alreadyTried(picker, killer) && isQuietMove(picker, killer)) {
            picker.skip[picker.killersTried] = killer;
            return killer;
        }
    }
    // 3. The other quiet moves by their history.
    if (picker.next == picker.captures) sortQuietMoves(picker);
    while (picker.next < list.count) {
        const Move m = list.moves[picker.next++];
        if (!alreadyTried(picker, m)) return m;
    }
    return NO_MOVE;
}

void rememberCutoff(Move move, int ply, int depth) {
    if (hasFlag(move, MF_CAPTURE | MF_PROMOTION)) return;
    ordering.history[moveFrom(move)][moveTo(move)] += depth * depth;
    if (ordering.killers[ply][0] == move) return;
    ordering.killers[ply][1] = ordering.killers[ply][0];
    ordering.killers[ply][0] = move;
}

void clearMoveOrdering() { std::memset(&ordering, 0, sizeof ordering); }
