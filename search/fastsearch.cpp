// The fast search: the straightforward search's answers, found with far fewer calls. Why
// every answer is the same is set out claim by claim in docs/fastsearch-proof.md, each
// claim naming the function here, in rulenode.cpp, frontier.cpp, provenance.h or
// iterate.cpp that makes it true.
#include "search/fastsearch.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "core/attacks.h"
#include "core/fen.h"
#include "core/rules.h"
#include "search/evaluate.h"
#include "search/frontier.h"
#include "search/node.h"
#include "search/rulenode.h"

namespace {

// Builds made for it check every answer that claims to be search()'s against search().
#ifdef CHESS_VERIFY_NODES
constexpr bool VERIFY_NODES = true;
#else
constexpr bool VERIFY_NODES = false;
#endif

int clip(int score, int alpha, int beta) { return std::min(std::max(score, alpha), beta); }

int kingToMove(const SearchContext& context) { return context.pieces.king[sideIndex(pos.side)]; }

bool sideToMoveInCheck(const SearchContext& context) {
    const int king = kingToMove(context);
    return king != NO_SQUARE && isAttacked(king, pos.side ^ BLACK);
}

int historyCountAtNode(const SearchContext& context, int ply) {
    return historyCountAt(context.rootHistoryCount, ply);
}

// 5. Returns true, with the answer, when the table holds one for the node: of the same
// depth, reusable here, and decisive for the window.
bool answerFromTable(const SearchContext& context, const TableEntry& entry, const Node& node,
                     Answer& answer) {
    if (entry.depth != node.depth) return false;
    const Provenance stored{entryReach(entry), entryQuiet(entry), false, false};
    const int historyCount = historyCountAtNode(context, node.ply);
    if (!reusable(stored, node.ply, pos.halfmoveClock, historyCount)) return false;
    const int score = scoreFromTable(entry.score, historyCount);
    const Bound bound = entryBound(entry);
    if (bound == BOUND_EXACT || (bound == BOUND_LOWER && score >= node.beta) ||
        (bound == BOUND_UPPER && score <= node.alpha)) {
        answer = {clip(score, node.alpha, node.beta), stored};
        return true;
    }
    return false;
}

// Tells whether the node's answer holds for its window only unless a child still cuts off:
// an answer below was bound, or its best score passed over a one-sided answer.
bool boundUnlessCutoff(const Node& node) {
    return atBestScore(node.searched, node.best != NO_MOVE).windowBound;
}

// Searches a move's child: the first legal move with the node's window, the others first
// with a null window that asks only whether they are better, then with the full window
// where the answer lies inside it. In generation order the full window is search()'s own,
// and an answer the rule bound to the null window is searched again with it.
Answer searchMoveWindows(SearchContext& context, Node& node, const Played& played) {
    // A node by promise whose answer the rule already bound can use only a cut-off.
    if (!node.inOrder && boundUnlessCutoff(node)) {
        return searchChild(context, node, played, node.beta - 1, node.beta, Window::FREE);
    }
    const Window full = node.inOrder ? Window::EXACT : Window::FREE;
    if (!node.anyLegal) return searchChild(context, node, played, node.alpha, node.beta, full);
    Answer answer = searchChild(context, node, played, node.alpha, node.alpha + 1, Window::FREE);
    if (answer.provenance.windowBound) {
        if (!node.inOrder) return answer;
        return searchChild(context, node, played, node.alpha, node.beta, Window::IN_ORDER);
    }
    if (answer.score > node.alpha && answer.score < node.beta) {
        answer = searchChild(context, node, played, node.alpha, node.beta, full);
    }
    return answer;
}

// Answers for a move of the node: settled without playing it where that is safe,
// otherwise played and searched. Returns false when the move is illegal.
bool answerMove(SearchContext& context, Node& node, Move move, Answer& answer) {
    const Settlement settled = settleUnplayed(context, node, move);
    if (settled.outcome == Settled::ILLEGAL) return false;
    if (settled.outcome == Settled::BELOW_ALPHA) {
        ++context.calls;  // the child a search would have entered
        node.searched = widened(node.searched, settled.child);
        answer = {node.alpha, settled.child};
        return true;
    }
    Played played{};
    if (!playMove(context, node, move, played)) return false;
    answer = searchMoveWindows(context, node, played);
    takeBack(context, node);
    return true;
}

// 6. Searches the node's moves as the picker hands them out until one reaches beta;
// returns whether one did. By promise, an answer the rule bound to its window tells
// nothing and is passed over; in generation order every answer is search()'s own.
bool searchMoves(SearchContext& context, Node& node, MovePicker& picker) {
    for (PickedMove picked = nextMove(picker, context.ordering, node.ply); picked.move != NO_MOVE;
         picked = nextMove(picker, context.ordering, node.ply)) {
        const Move move = picked.move;
        Answer answer{};
        if (!answerMove(context, node, move, answer)) continue;
        node.anyLegal = true;
        node.searched = withWindowBoundOf(node.searched, answer.provenance);
        if (answer.provenance.windowBound && !node.inOrder) continue;
        if (answer.score <= node.alpha) {
            node.searched = withFailLowOf(node.searched, answer.provenance);
            continue;
        }
        node.best = move;
        if (answer.score >= node.beta) {
            node.cutting = answer.provenance;
            if (!node.inOrder && picked.stage != PickStage::TABLE_MOVE) {
                rememberCutoff(context.ordering, move, node.ply, node.depth);
            }
            return true;
        }
        node.alpha = answer.score;
    }
    return false;
}

// 7. Ends a node: fail hard on a cut-off; mate or stalemate without a legal move; otherwise
// the best score found, which at the top under the rule is 0. Below the top, an answer that
// holds in every window and for every clock and history count a later probe accepts is
// stored.
Answer finishNode(SearchContext& context, const Node& node, bool cutoff) {
    const bool top = node.ply == 0;
    Answer answer{node.alpha, atBestScore(node.searched, node.best != NO_MOVE)};
    Bound bound = node.best == NO_MOVE ? BOUND_UPPER : BOUND_EXACT;
    if (cutoff) {
        answer = {node.beta, atCutoff(node.searched, node.cutting, node.beta, pos.halfmoveClock)};
        bound = BOUND_LOWER;
    } else if (!node.anyLegal) {
        answer = {noMoveScore(context, node.ply, node.inCheck), NOTHING_BELOW};
        bound = BOUND_EXACT;
    } else if (top && underFiftyMoveRule(pos.halfmoveClock)) {
        answer.score = 0;
    }
    if (top) {
        bestMove = node.best;
        return answer;
    }
    const int historyCount = historyCountAtNode(context, node.ply);
    if (!context.limits.stopped &&
        reusable(answer.provenance, node.ply, pos.halfmoveClock, historyCount)) {
        storeTable(*context.table, node.key, node.best, scoreToTable(answer.score, historyCount),
                   node.depth, bound, answer.provenance.reach, answer.provenance.quiet);
    }
    return answer;
}

// Searches a node, in numbered steps as the straightforward search does.
Answer visitNode(SearchContext& context, NodeRequest request, const KeyOrigin& origin) {
    const bool top = request.ply == 0;
    // 1. Stop and leaf: a stopped search unwinds at once, its iteration to be thrown away;
    // leaves are scored by material alone.
    ++context.calls;
    if (searchMustStop(context.limits, context.calls)) return {0, NOTHING_BELOW};
    if (request.depth <= 0) return {request.material, NOTHING_BELOW};

    // 2. Extension: a side in check looks one ply further, within the bound of the
    // straightforward search.
    if (request.inCheck && request.ply < MAX_PLY) ++request.depth;
    noteSelDepth(context.limits, request.ply + request.depth);
    assert(request.depth <= FAST_SEARCH_MAX_DEPTH + MAX_PLY && request.ply < MAX_LINE_PLIES);

    // 3. Frontier: below the top, a node whose children are leaves needs none of them.
    const bool underRule = underFiftyMoveRule(pos.halfmoveClock);
    if (request.depth == 1 && !top && !underRule) return searchFrontier(context, request);

    // 4. A node under the fifty-move rule answers beta or 0; the top names its move.
    if (underRule && !top) return searchUnderRule(context, request, origin);

    // 5. Table: a stored answer the window can use, or at least the move to try first.
    Node node = startNode(context, request, origin, request.window == Window::IN_ORDER);
    const TableEntry* entry = top ? nullptr : probeTable(*context.table, node.key);
    Answer stored{};
    if (entry != nullptr && answerFromTable(context, *entry, node, stored)) return stored;

    // 6. Moves: at the top those given, in their order; in generation order where the
    // window is search()'s own and the rule is known to bind; otherwise by promise, and
    // again in generation order when an answer below was bound to its window and this
    // window is search()'s own.
    const SquareSet pieces = context.pieces.pieces[sideIndex(pos.side)];
    MovePicker picker;
    if (top) {
        pickInOrder(picker, *context.rootMoves);
    } else if (node.inOrder) {
        pickInGenerationOrder(picker, pieces);
    } else {
        pickByPromise(picker, entry != nullptr ? entry->move : NO_MOVE, pieces);
    }
    context.work.inOrderNodes += node.inOrder;
    bool cutoff = searchMoves(context, node, picker);
    if (!cutoff && boundUnlessCutoff(node) && request.window == Window::EXACT) {
        ++context.work.inOrderNodes;
        node = startNode(context, request, origin, true);
        pickInGenerationOrder(picker, pieces);
        cutoff = searchMoves(context, node, picker);
    }

    // 7. Finish, and store what holds elsewhere.
    return finishNode(context, node, cutoff);
}

// Checks a node's answer against search() under the same window, in builds made for it.
void verifyNode(const SearchContext& context, const NodeRequest& request, int score) {
    const int historyCount = pos.historyCount;
    pos.historyCount = historyCountAtNode(context, request.ply);
    const int expected = searchAtPly(request.alpha, request.beta, request.depth, request.ply);
    pos.historyCount = historyCount;
    if (clip(expected, request.alpha, request.beta) == clip(score, request.alpha, request.beta)) {
        return;
    }
    std::fprintf(stderr, "fastSearch: %s window (%d, %d) depth %d ply %d: %d, search() %d\n",
                 writeFen().c_str(), request.alpha, request.beta, request.depth, request.ply, score,
                 expected);
    std::abort();
}

}  // namespace

Answer searchNode(SearchContext& context, const NodeRequest& request, const KeyOrigin& origin) {
    assert(request.alpha < request.beta);
    const Answer answer = visitNode(context, request, origin);
    const bool claimed = request.window != Window::FREE || !answer.provenance.windowBound;
    if (VERIFY_NODES && request.ply > 0 && claimed && !context.limits.stopped) {
        verifyNode(context, request, answer.score);
    }
    return answer;
}

Node startNode(const SearchContext& context, const NodeRequest& request, const KeyOrigin& origin,
               bool inOrder) {
    Node node;  // every field is set below
    node.alpha = request.alpha;
    node.beta = request.beta;
    node.depth = request.depth;
    node.ply = request.ply;
    node.material = request.material;
    node.inCheck = request.inCheck;
    node.inOrder = inOrder;
    node.key = origin.parent != nullptr ? updateKey(*origin.parent, origin.move, *origin.before)
                                        : positionKey();
    node.check =
        request.inCheck ? findCheckers(kingToMove(context), pos.side ^ BLACK) : NO_CHECKERS;
    takeSnapshot(node.position);
    node.pieces = context.pieces;
    node.anyLegal = false;
    node.best = NO_MOVE;
    node.searched = node.cutting = NOTHING_BELOW;
    return node;
}

bool tryMove(SearchContext& context, const Node& node, Move move) {
    const int us = sideIndex(pos.side);
    const int king = context.pieces.king[us];
    if (leavesCheckUnanswered(move, node.check, king) || !playPseudoLegal(move)) return false;
    updatePieceSquares(context.pieces, move);
    if (!exposesOwnKing(move, king, context.pieces.king[us])) return true;
    takeBack(context, node);
    return false;
}

bool playMove(SearchContext& context, const Node& node, Move move, Played& played) {
    played.gain = materialGain(move);
    if (!tryMove(context, node, move)) return false;
    played.move = move;
    played.check = givesCheck(move, kingToMove(context));
    return true;
}

void takeBack(SearchContext& context, const Node& node) {
    undoMove(node.position);
    context.pieces = node.pieces;
}

Answer searchChild(SearchContext& context, Node& node, const Played& played, int alpha, int beta,
                   Window window) {
    const NodeRequest child{
        -beta,        -alpha, node.depth - 1, node.ply + 1, -(node.material + played.gain),
        played.check, window};
    const Answer answer =
        searchNode(context, child, KeyOrigin{&node.key, played.move, &node.position});
    const Provenance seen = throughMove(answer.provenance, played.move);
    node.searched = widened(node.searched, seen);
    return {-answer.score, seen};
}

int fastSearch(SearchContext& context, int depth) {
    MoveList list;
    generateMoves(list);
    return fastSearch(context, depth, list);
}

int fastSearch(SearchContext& context, int depth, const MoveList& rootMoves) {
    assert(depth <= FAST_SEARCH_MAX_DEPTH && context.table != nullptr && context.table->size > 0);
    bestMove = NO_MOVE;
    context.rootHistoryCount = pos.historyCount;
    context.pieces = findPieceSquares();
    context.rootMoves = &rootMoves;
    clearMoveOrdering(context.ordering);
    const NodeRequest top{
        -SCORE_LIMIT,    SCORE_LIMIT, depth, 0, evaluate(), sideToMoveInCheck(context),
        Window::IN_ORDER};
    const Answer answer = searchNode(context, top, KeyOrigin{nullptr, NO_MOVE, nullptr});
    context.rootMoves = nullptr;
    return answer.score;
}
