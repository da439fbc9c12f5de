// A node of the fast search: what it is asked, what it answers, and the steps of the node
// search (defined in fastsearch.cpp) that the node under the fifty-move rule (rulenode.h)
// and the nodes next to the leaves (frontier.h) take as well.
#pragma once

#include "core/legality.h"
#include "search/context.h"
#include "search/provenance.h"

// How a node's window relates to the one the straightforward search would give it.
enum class Window {
    FREE,      // any window: the answer is used only where the rule did not bind it
    EXACT,     // search()'s own window: an answer the rule bound is searched again in order
    IN_ORDER,  // search()'s own window, and the rule is known to bind: generation order
};

// What a node is asked.
struct NodeRequest {
    int alpha;
    int beta;
    int depth;
    int ply;
    int material;  // the material balance for the side to move
    bool inCheck;
    Window window;
};

// A score, fail-hard in the node's window, and what it relied on.
struct Answer {
    int score;
    Provenance provenance;
};

// Where a node's table key comes from: its parent's key and the move played there, or
// nothing at the top, whose key is computed afresh.
struct KeyOrigin {
    const TableKey* parent;
    Move move;
    const PositionSnapshot* before;
};

// A node's search in progress.
struct Node {
    int alpha;  // raised as better moves are found
    int beta;
    int depth;  // with the check extension
    int ply;
    int material;
    bool inCheck;
    bool inOrder;  // generation order with search()'s windows, as opposed to by promise
    TableKey key;
    Checkers check;
    PositionSnapshot position;  // the position to come back to after each move
    PieceSquares pieces;        // and where its pieces stood
    bool anyLegal;
    Move best;
    Provenance searched;  // what the children searched so far looked at
    Provenance cutting;   // what the answer that reached beta relied on
};

// A move just played at a node: what it won, and whether it checks.
struct Played {
    Move move;
    int gain;
    bool check;
};

// Searches a node: returns its score for the side to move, fail-hard in the window, with
// what it relied on. The position and the context's record of the pieces are left as
// found.
Answer searchNode(SearchContext& context, const NodeRequest& request, const KeyOrigin& origin);

// Gets a node ready for its moves: its key, the pieces giving check, the snapshot.
Node startNode(const SearchContext& context, const NodeRequest& request, const KeyOrigin& origin,
               bool inOrder);

// Plays a move of the node; false, with the position as before, when it is illegal.
bool tryMove(SearchContext& context, const Node& node, Move move);

// Plays a move of the node and names it for its child's search; false when it is illegal.
bool playMove(SearchContext& context, const Node& node, Move move, Played& played);

// Takes back the move the node played last.
void takeBack(SearchContext& context, const Node& node);

// Searches the position after the move just played with the given window and returns its
// score for the side that moved, with what it relied on; widens what the node searched.
Answer searchChild(SearchContext& context, Node& node, const Played& played, int alpha, int beta,
                   Window window);

// Returns the score of a node without a legal move: mated in check, stalemate otherwise.
inline int noMoveScore(const SearchContext& context, int ply, bool inCheck) {
    return inCheck ? matedScore(historyCountAt(context.rootHistoryCount, ply)) : 0;
}
