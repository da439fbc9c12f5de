// The node under the fifty-move rule: the only code of the fast search that knows what the
// straightforward search answers at a node whose halfmove clock has reached the limit.
//
// There, with depth left and a legal move, search() answers beta when a child reaches beta
// and 0 otherwise; its 0 is no value clipped to the window. A beta of 0 or less is reached
// by that 0, so any legal move gives beta. Otherwise only the children outside the rule can
// reach beta: captures and pawn moves, whose clock starts again, and checks that mate. Any
// other child is under the rule too, or stalemated, and never reaches a positive beta. So
// the answer is beta when the best child outside the rule reaches beta, and 0 otherwise,
// whatever the order of the moves; how far each answer holds is said by ruleAnswer.
// Nothing under the rule is stored.
#include "search/rulenode.h"

#include <algorithm>

#include "core/rules.h"
#include "search/frontier.h"
#include "search/node.h"

namespace {

// A capture's or pawn move's line can never meet the rule again: the deepest line has fewer
// plies than the clock needs to reach the limit from 0. Answers from below are plain values.
static_assert(FAST_SEARCH_MAX_DEPTH + MAX_PLY < FIFTY_MOVE_LIMIT, "a line meets the rule twice");

// Returns the answer of a node under the rule with a legal move and a positive beta, given
// the best score of its children outside the rule (clipped to floor and beta, floor being
// alpha or 0, whichever is higher) and what reached beta if one did:
// - beta, holding for every lower beta only (a higher one could get 0);
// - 0 when the best lies above the floor: for a beta at most that best the answer would be
//   beta, so this 0 holds for its window only;
// - 0 at a positive alpha: a fail-low, holding for every higher alpha only, since a lower
//   alpha lets a child between it and this one be the best;
// - otherwise 0 in every window: no child outside the rule scores above 0.
Answer ruleAnswer(const NodeRequest& request, int best, Provenance searched, Provenance cutting) {
    const int floor = std::max(request.alpha, 0);
    if (best >= request.beta) {
        return {request.beta, atCutoff(searched, cutting, request.beta, pos.halfmoveClock)};
    }
    searched = withClockTest(searched);
    searched.windowBound = best > floor;
    searched.oneSided = !searched.windowBound && request.alpha > 0;
    return {0, searched};
}

// Scores a node under the rule whose children are leaves by its best capture or promotion.
Answer frontierUnderRule(const SearchContext& context, const NodeRequest& request) {
    const int floor = std::max(request.alpha, 0);
    const int low = ruleReachesBeta(request.beta) ? request.beta - 1 : floor;
    const int gain = bestGainAt(context, request, low);
    if (gain == NO_LEGAL_MOVE) {
        return {noMoveScore(context, request.ply, request.inCheck), NOTHING_BELOW};
    }
    constexpr Provenance LEAVES{1, NO_CLOCK_TEST, false, false};
    if (ruleReachesBeta(request.beta)) return {request.beta, withClockTest(LEAVES)};
    return ruleAnswer(request, std::max(request.material + gain, floor), LEAVES, LEAVES);
}

// Answers for a child of a node under the rule, if the child can score above 0: a capture
// or pawn move is searched with the window from the floor to beta, a check is looked at for
// mate. Returns false for any other child, which is under the rule as well.
bool answerOutsideRule(SearchContext& context, Node& node, const Played& played, int floor,
                       Answer& answer) {
    if (restartsClock(played.move)) {
        answer = searchChild(context, node, played, floor, node.beta, Window::FREE);
        return true;
    }
    if (!played.check || hasLegalMoveInCheck(context.pieces.king[sideIndex(pos.side)])) {
        return false;
    }
    ++context.calls;  // the mated child
    const Provenance mated = throughMove(NOTHING_BELOW, played.move);
    node.searched = widened(node.searched, mated);
    answer = {-noMoveScore(context, node.ply + 1, true), mated};
    return true;
}

}  // namespace

Answer searchUnderRule(SearchContext& context, const NodeRequest& request,
                       const KeyOrigin& origin) {
    ++context.work.ruleNodes;
    if (request.depth == 1) return frontierUnderRule(context, request);
    Node node = startNode(context, request, origin, false);
    MovePicker picker;
    pickByPromise(picker, NO_MOVE, context.pieces.pieces[sideIndex(pos.side)]);
    const int floor = std::max(node.alpha, 0);
    int best = floor;
    for (PickedMove picked = nextMove(picker, context.ordering, node.ply); picked.move != NO_MOVE;
         picked = nextMove(picker, context.ordering, node.ply)) {
        Played played{};
        if (!playMove(context, node, picked.move, played)) continue;
        node.anyLegal = true;
        if (ruleReachesBeta(node.beta)) {
            takeBack(context, node);
            return {node.beta, withClockTest(node.searched)};
        }
        Answer answer{};
        const bool counts = answerOutsideRule(context, node, played, floor, answer);
        takeBack(context, node);
        if (!counts) continue;
        best = std::max(best, answer.score);
        if (answer.score >= node.beta) {
            return ruleAnswer(request, best, node.searched, answer.provenance);
        }
    }
    if (!node.anyLegal) return {noMoveScore(context, node.ply, node.inCheck), NOTHING_BELOW};
    return ruleAnswer(request, best, node.searched, NOTHING_BELOW);
}
