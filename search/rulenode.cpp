// The node under the fifty-move rule: the only code of the fast search that knows what the
// straightforward search answers at a node whose halfmove clock has reached the limit.
//
// There, with depth left and a legal move, search() answers beta when a child reaches beta
// and 0 otherwise; its 0 is no value clipped to the window. A beta of 0 or less is reached
// by that 0, so any legal move gives beta. Otherwise only the children outside the rule can
// reach beta: captures and pawn moves, whose clock starts again, and checks that mate. Any
// other child is under the rule too (or stalemated) and never scores above the node's
// alpha or 0. When one of those children scores above alpha and 0 but below beta, the
// answer 0 depends on the window, which depends on the order the ancestors tried their
// moves in: it is marked as bound to its window. Nothing under the rule is stored.
#include <algorithm>

#include "core/rules.h"
#include "search/frontier.h"
#include "search/node.h"

namespace {

// Scores a node under the rule whose children are leaves: beta when its best capture or
// promotion reaches beta, 0 otherwise; bound to its window when that best lies between the
// node's floor and beta.
Answer frontierUnderRule(const SearchContext& context, const NodeRequest& request) {
    const int floor = std::max(request.alpha, 0);
    const int low = ruleReachesBeta(request.beta) ? request.beta - 1 : floor;
    const int gain = bestGainAt(context, request, low);
    if (gain == NO_LEGAL_MOVE) {
        return {noMoveScore(context, request.ply, request.inCheck), NOTHING_BELOW};
    }
    const Provenance relied{1, 0, false};
    if (ruleReachesBeta(request.beta)) return {request.beta, relied};
    const int best = request.material + gain;
    return {best >= request.beta ? request.beta : 0, {1, 0, best > floor}};
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
    if (!played.check || bestLegalGainByGeneration() != NO_LEGAL_MOVE) return false;
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
    bool above = false;
    for (PickedMove picked = nextMove(picker, context.ordering, node.ply); picked.move != NO_MOVE;
         picked = nextMove(picker, context.ordering, node.ply)) {
        Played played{};
        if (!playMove(context, node, picked.move, played)) continue;
        node.anyLegal = true;
        node.searched = withClockTest(node.searched);
        if (ruleReachesBeta(node.beta)) {
            takeBack(context, node);
            return {node.beta, node.searched};
        }
        Answer answer{};
        const bool counts = answerOutsideRule(context, node, played, floor, answer);
        takeBack(context, node);
        if (!counts) continue;
        if (answer.score >= node.beta) {
            return {node.beta,
                    atCutoff(node.searched, answer.provenance, node.beta, pos.halfmoveClock)};
        }
        above = above || answer.score > floor;
    }
    if (!node.anyLegal) return {noMoveScore(context, node.ply, node.inCheck), NOTHING_BELOW};
    node.searched.windowBound = above;
    return {0, node.searched};
}
