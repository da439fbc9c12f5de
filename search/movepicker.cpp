#include "search/movepicker.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "search/evaluate.h"

namespace {

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
void sortQuietMoves(MovePicker& picker, const MoveOrdering& ordering) {
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

// Generates the moves and puts the captures and promotions, scored by victim then
// attacker, before the quiet moves.
void generateAndSplit(MovePicker& picker) {
    generateMovesOf(picker.list, picker.pieces);
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
}

bool isQuietMove(const MovePicker& picker, Move move) {
    for (int k = picker.captures; k < picker.list.count; ++k) {
        if (picker.list.moves[k] == move) return true;
    }
    return false;
}

bool alreadyTried(const MovePicker& picker, Move move) {
    return move == picker.tableMove || move == picker.killers[0] || move == picker.killers[1];
}

void startPicker(MovePicker& picker, PickStage stage, Move tableMove, SquareSet pieces) {
    picker.stage = stage;
    picker.tableMove = tableMove;
    picker.pieces = pieces;
    picker.next = 0;
    picker.killersTried = 0;
    picker.killers[0] = picker.killers[1] = NO_MOVE;
}

}  // namespace

void pickByPromise(MovePicker& picker, Move tableMove, SquareSet pieces) {
    startPicker(picker, tableMove != NO_MOVE ? PickStage::TABLE_MOVE : PickStage::GENERATE,
                tableMove, pieces);
}

void pickInOrder(MovePicker& picker, const MoveList& moves) {
    startPicker(picker, PickStage::GENERATION_ORDER, NO_MOVE, 0);
    std::copy(moves.moves, moves.moves + moves.count, picker.list.moves);
    picker.list.count = moves.count;
}

void pickInGenerationOrder(MovePicker& picker, SquareSet pieces) {
    startPicker(picker, PickStage::GENERATION_ORDER, NO_MOVE, pieces);
    generateMovesOf(picker.list, pieces);
}

PickedMove nextMove(MovePicker& picker, const MoveOrdering& ordering, int ply) {
    const MoveList& list = picker.list;
    switch (picker.stage) {
        case PickStage::TABLE_MOVE:
            picker.stage = PickStage::GENERATE;
            return {picker.tableMove, PickStage::TABLE_MOVE};
        case PickStage::GENERATE:
            generateAndSplit(picker);
            picker.stage = PickStage::CAPTURES;
            [[fallthrough]];
        case PickStage::CAPTURES:
            while (picker.next < picker.captures) {
                pickBest(picker, picker.next, picker.captures);
                const Move m = list.moves[picker.next++];
                if (!alreadyTried(picker, m)) return {m, PickStage::CAPTURES};
            }
            picker.stage = PickStage::KILLERS;
            [[fallthrough]];
        case PickStage::KILLERS:
            while (picker.killersTried < 2) {
                const Move killer = ordering.killers[ply][picker.killersTried];
                if (killer != NO_MOVE && !alreadyTried(picker, killer) &&
                    isQuietMove(picker, killer)) {
                    picker.killers[picker.killersTried++] = killer;
                    return {killer, PickStage::KILLERS};
                }
                ++picker.killersTried;
            }
            picker.stage = PickStage::SORT_QUIET;
            [[fallthrough]];
        case PickStage::SORT_QUIET:
            sortQuietMoves(picker, ordering);
            picker.stage = PickStage::QUIET;
            [[fallthrough]];
        case PickStage::QUIET:
            while (picker.next < list.count) {
                const Move m = list.moves[picker.next++];
                if (!alreadyTried(picker, m)) return {m, PickStage::QUIET};
            }
            picker.stage = PickStage::DONE;
            return {NO_MOVE, PickStage::DONE};
        case PickStage::GENERATION_ORDER:
            if (picker.next < list.count)
                return {list.moves[picker.next++], PickStage::GENERATION_ORDER};
            picker.stage = PickStage::DONE;
            return {NO_MOVE, PickStage::DONE};
        case PickStage::DONE:
            return {NO_MOVE, PickStage::DONE};
    }
    assert(false);
    return {NO_MOVE, PickStage::DONE};
}

void rememberCutoff(MoveOrdering& ordering, Move move, int ply, int depth) {
    if (hasFlag(move, MF_CAPTURE | MF_PROMOTION)) return;
    ordering.history[moveFrom(move)][moveTo(move)] += depth * depth;
    if (ordering.killers[ply][0] == move) return;
    ordering.killers[ply][1] = ordering.killers[ply][0];
    ordering.killers[ply][0] = move;
}

void clearMoveOrdering(MoveOrdering& ordering) { std::memset(&ordering, 0, sizeof ordering); }
