#include "search/fastsearch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/attacks.h"
#include "core/fen.h"
#include "core/legality.h"
#include "core/movegen.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/evaluate.h"
#include "search/frontier.h"
#include "search/limits.h"
#include "search/movepicker.h"
#include "search/search.h"
#include "search/ttable.h"

// Why the answers agree with search(): a fail-hard alpha-beta search returns its true
// value clipped to the window whatever the order of the moves below the top level, so
// only the top level keeps generation order. Below it, moves are ordered, and values
// are shared through the table under a key of board, side, rights and en-passant
// square. A value depends on the node's depth (stored exactly), on the history count
// through mate distances (stored relative to the node, and only while no line can fill
// the history), on how deep below the top level the check extension may still apply
// (each entry records the plies its value reached) and on the halfmove clock (each entry
// records the quiet plies down to the deepest clock test its value relied on).
//
// The fifty-move rule is the one exception to "a value clipped to the window". At a node
// whose clock has reached the limit, with depth left and a legal move, search() returns
// beta when a child reaches beta and 0 otherwise. A child that is itself under the rule
// never reaches a positive beta, and a beta of 0 or less is always reached by that 0, so
// the node's answer is decided by its other children: captures and pawn moves (whose
// clock starts again) and checks that mate. When the best of those lies between 0 and
// beta the answer is 0 whatever the alpha, which is no clipped value: it depends on the
// window, and the window of each ancestor depends on the order its moves were tried in.
// Such an answer is marked as bound to its window. An ancestor with a cut-off from an
// unmarked child keeps it; any other ancestor is marked in turn, up to the nearest node
// whose window is the one search() would give it, which searches its moves again in
// generation order with search()'s windows.

namespace {

// Builds made for it check every answer that claims to be search()'s against search().
#ifdef CHESS_VERIFY_NODES
constexpr bool VERIFY_NODES = true;
#else
constexpr bool VERIFY_NODES = false;
#endif

// The state one search keeps beside the global position.
struct SearchState {
    int rootHistoryCount;
    int kingSquare[2];    // indexed by colour >> 3
    SquareSet pieces[2];  // the squares of each side's pieces, indexed by colour >> 3
};
SearchState state;

int& kingOf(int colour) { return state.kingSquare[colour >> 3]; }
SquareSet& piecesOf(int colour) { return state.pieces[colour >> 3]; }

// Finds the squares of both sides' pieces and of their kings.
void findPieces() {
    state.pieces[0] = state.pieces[1] = 0;
    state.kingSquare[0] = state.kingSquare[1] = NO_SQUARE;
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) {
        const PieceCode p = pos.board[i];
        if (p == EMPTY || p == OFFBOARD) continue;
        piecesOf(pieceColour(p)) |= squareSet(i);
        if (pieceType(p) == KING) kingOf(pieceColour(p)) = i;
    }
}

// Brings the sets of occupied squares up to date after a move.
void updatePieces(Move move) {
    if (!hasFlag(move, MF_CASTLE | MF_EN_PASSANT)) {
        const SquareSet to = squareSet(moveTo(move));
        piecesOf(pos.side ^ BLACK) ^= squareSet(moveFrom(move)) | to;
        piecesOf(pos.side) &= ~to;
        return;
    }
    int squares[4];
    const int n = changedSquares(move, squares);
    for (int k = 0; k < n; ++k) {
        const SquareSet bit = squareSet(squares[k]);
        state.pieces[0] &= ~bit;
        state.pieces[1] &= ~bit;
        const PieceCode p = pos.board[squares[k]];
        if (p != EMPTY) piecesOf(pieceColour(p)) |= bit;
    }
}

bool sideToMoveInCheck() {
    const int king = kingOf(pos.side);
    return king != NO_SQUARE && isAttacked(king, pos.side ^ BLACK);
}

// What a node copies back after each move: the position's snapshot and the search's own
// record of where the kings and the pieces stand.
struct NodeSnapshot {
    PositionSnapshot position;
    int kingSquare[2];
    SquareSet pieces[2];
};

void takeNodeSnapshot(NodeSnapshot& snapshot) {
    takeSnapshot(snapshot.position);
    std::copy(state.kingSquare, state.kingSquare + 2, snapshot.kingSquare);
    std::copy(state.pieces, state.pieces + 2, snapshot.pieces);
}

void undoMove(const NodeSnapshot& before) {
    pos.side ^= BLACK;
    restoreSnapshot(before.position);
    std::copy(before.kingSquare, before.kingSquare + 2, state.kingSquare);
    std::copy(before.pieces, before.pieces + 2, state.pieces);
}

// Plays a move on the global position, keeping the king squares current; returns false,
// with the position as before, when the move is illegal.
bool tryMove(Move move, const Checkers& check, const NodeSnapshot& before) {
    const int mover = pos.side;
    const int king = kingOf(mover);
    if (leavesCheckUnanswered(move, check, king)) return false;
    if (!playPseudoLegal(move)) return false;
    if (moveFrom(move) == king) kingOf(mover) = moveTo(move);
    if (exposesOwnKing(move, king, kingOf(mover))) {
        undoMove(before);
        return false;
    }
    updatePieces(move);
    return true;
}

Checkers checkersOf(bool inCheckNow) {
    if (!inCheckNow) return Checkers{0, NO_SQUARE, 0};
    return findCheckers(kingOf(pos.side), pos.side ^ BLACK);
}

int clip(int score, int alpha, int beta) { return std::min(std::max(score, alpha), beta); }

// The history count at a node: it stops growing once the history is full.
int historyAt(int ply) { return std::min(state.rootHistoryCount + ply, HISTORY_SIZE); }

int mateScore(bool inCheckNow, int ply) { return inCheckNow ? historyAt(ply) - SCORE_LIMIT : 0; }

bool underFiftyMoveRule() { return pos.halfmoveClock >= FIFTY_MOVE_LIMIT; }

// What an answer relies on besides the position and the depth.
struct Dependence {
    int reach;       // plies below the node that the search looked at
    int quiet;       // quiet plies down to the deepest clock test that counted
    bool ruleBound;  // the fifty-move rule made it hold for this window only
};

// Scores a node whose children are leaves by the best material its side can win with
// one legal move; no child needs to be visited. Under the fifty-move rule the node is
// worth beta when that reaches beta, and 0 otherwise.
int searchFrontier(int alpha, int beta, int ply, bool inCheckNow, int material, Dependence& dep) {
    const bool rule = underFiftyMoveRule();
    // Under the rule only beta and the floor matter; a beta of 0 or less asks for a legal
    // move.
    const int floor = std::max(alpha, 0);
    const int low = rule ? (beta <= 0 ? beta - 1 : floor) : alpha;
    const int gain =
        inCheckNow ? bestLegalGainByGeneration()
                   : bestLegalGain(kingOf(pos.side), piecesOf(pos.side), piecesOf(pos.side ^ BLACK),
                                   low - material, beta - material);
    dep.reach = 1;
    if (gain == NO_LEGAL_MOVE) return mateScore(inCheckNow, ply);
    const int best = material + gain;
    if (!rule) {
        // The node's own clock test counts, except for a cut-off at a beta of 0 or less,
        // which the rule would give as well.
        if (best < beta || beta > 0) dep.quiet = 0;
        return best >= beta ? beta : std::max(best, alpha);
    }
    dep.quiet = 0;
    if (beta <= 0) return beta;
    dep.ruleBound = best > floor;
    return best >= beta ? beta : 0;
}

// Where a node's table key comes from: its parent's key and the move played there. The
// key is only worked out by nodes that use the table.
struct KeyOrigin {
    const TableKey& parent;
    Move move;
    const PositionSnapshot& before;
};

// How a node's window relates to the one search() would give it.
enum class Window {
    FREE,      // any window: the answer is used only when no rule bound it
    EXACT,     // search()'s own window: an answer bound by the rule is searched again
    IN_ORDER,  // search()'s own window, and the rule is known to bind: generation order
};

// The window and the progress of one node's move loop.
struct Node {
    int alpha;
    int beta;
    int depth;
    int ply;
    int material;
    Checkers check;
    bool anyLegal;
    Move best;
    int reach;
    int quiet;       // the most of the children's, before the node's own clock test
    bool ruleBound;  // a child's answer was bound to its window
    int cutQuiet;    // the quiet plies of the answer that cut off
    bool cutRuleBound;
};

Node makeNode(int alpha, int beta, int depth, int ply, int material, bool inCheckNow) {
    return Node{alpha, beta,    depth, ply,           material, checkersOf(inCheckNow),
                false, NO_MOVE, 0,     NO_CLOCK_TEST, false,    NO_CLOCK_TEST,
                false};
}

// A move played at a node, ready for its child to be searched.
struct Played {
    Move move;
    int gain;  // the material it won
    bool check;
    KeyOrigin origin;
};

// A child's answer as its parent sees it.
struct ChildAnswer {
    int score;
    int quiet;  // what the child's clock tests mean for the parent's clock
    bool ruleBound;
};

int searchNode(int alpha, int beta, int depth, int ply, const KeyOrigin& origin, int material,
               bool inCheckNow, Window window, Dependence& dep);

// Searches the position after a move with the given window and returns its score for
// the side that made it.
ChildAnswer searchChild(Node& node, const Played& played, int alpha, int beta, Window window) {
    Dependence dep{};
    const int score = -searchNode(-beta, -alpha, node.depth - 1, node.ply + 1, played.origin,
                                  -(node.material + played.gain), played.check, window, dep);
    node.reach = std::max(node.reach, dep.reach + 1);
    // A capture or pawn move starts the clock again: what lies below does not read ours.
    const bool restarts = hasFlag(played.move, MF_CAPTURE | MF_PAWN);
    const int quiet = restarts || dep.quiet == NO_CLOCK_TEST ? NO_CLOCK_TEST : dep.quiet + 1;
    node.quiet = std::max(node.quiet, quiet);
    return {score, quiet, dep.ruleBound};
}

// Tells whether a move is a piece's quiet move or a pawn's step.
bool isQuiet(Move move) {
    const uint32_t flags = moveFlags(move);
    return flags == 0 || flags == MF_PAWN || flags == (MF_PAWN | MF_DOUBLE_PUSH);
}

// Settles a move without playing it where that is safe: at a node whose children are
// leaves, a quiet move from a material balance no better than alpha leaves the child no
// better either, unless it checks (the child would look further) or leaves the opponent
// without a move (stalemate scores 0). Returns true when the move needs no search: it is
// illegal, or legal and counted as searched without raising alpha.
bool cannotRaiseAlpha(Node& node, Move move) {
    if (node.depth != 2 || node.check.count > 0 || node.material > node.alpha || !isQuiet(move)) {
        return false;
    }
    // Under the rule a child reaching a positive beta is worth 0 in other windows.
    if (pos.halfmoveClock + 1 >= FIFTY_MOVE_LIMIT && node.alpha < 0) return false;
    const QuietMoveOutcome outcome = classifyQuietMove(
        move, kingOf(pos.side), kingOf(pos.side ^ BLACK), piecesOf(pos.side ^ BLACK));
    if (outcome == QuietMoveOutcome::OTHER) return false;
    if (outcome == QuietMoveOutcome::LEAVES_A_REPLY) {
        ++searchCalls;  // the child a search would have entered
        node.anyLegal = true;
        node.reach = std::max(node.reach, 2);
        // A child that fails high at a positive beta relies on its clock test.
        if (node.alpha < 0) node.quiet = std::max(node.quiet, 1);
    }
    return true;
}

// Plays a move for a node's loop; false when it is illegal or needs no search.
bool playForNode(Node& node, Move move, const NodeSnapshot& snapshot, Played& played) {
    if (cannotRaiseAlpha(node, move)) return false;
    played.gain = materialGain(move);
    if (!tryMove(move, node.check, snapshot)) return false;
    played.move = move;
    played.check = givesCheck(move, kingOf(pos.side));
    return true;
}

// Takes a child's answer into the node's window; returns true on a cut-off.
bool takeAnswer(Node& node, Move move, const ChildAnswer& answer) {
    if (answer.score <= node.alpha) return false;
    node.best = move;
    if (answer.score >= node.beta) {
        node.cutQuiet = answer.quiet;
        node.cutRuleBound = answer.ruleBound;
        return true;
    }
    node.alpha = answer.score;
    return false;
}

// Searches one move of a node in any order and window: the first legal move with the
// full window, the others first with a null window that only asks whether they are
// better. An answer bound to its window tells nothing here and is passed over.
// Returns true on a cut-off.
bool searchMoveFree(Node& node, Move move, const TableKey& key, const NodeSnapshot& snapshot) {
    Played played{NO_MOVE, 0, false, {key, move, snapshot.position}};
    if (!playForNode(node, move, snapshot, played)) return false;
    ChildAnswer answer{};
    if (!node.anyLegal) {
        answer = searchChild(node, played, node.alpha, node.beta, Window::FREE);
    } else {
        answer = searchChild(node, played, node.alpha, node.alpha + 1, Window::FREE);
        if (!answer.ruleBound && answer.score > node.alpha && answer.score < node.beta) {
            answer = searchChild(node, played, node.alpha, node.beta, Window::FREE);
        }
    }
    node.anyLegal = true;
    undoMove(snapshot);
    if (answer.ruleBound) {
        node.ruleBound = true;
        return false;
    }
    return takeAnswer(node, move, answer);
}

// Searches one move of a node the way search() does, with its window: a null window
// first where that settles it, the full one where a better score is possible or the
// rule bound the answer. Returns true on a cut-off.
bool searchMoveInOrder(Node& node, Move move, const TableKey& key, const NodeSnapshot& snapshot) {
    Played played{NO_MOVE, 0, false, {key, move, snapshot.position}};
    if (!playForNode(node, move, snapshot, played)) return false;
    ChildAnswer answer{};
    if (!node.anyLegal) {
        answer = searchChild(node, played, node.alpha, node.beta, Window::EXACT);
    } else {
        answer = searchChild(node, played, node.alpha, node.alpha + 1, Window::FREE);
        if (answer.ruleBound) {
            answer = searchChild(node, played, node.alpha, node.beta, Window::IN_ORDER);
        } else if (answer.score > node.alpha && answer.score < node.beta) {
            answer = searchChild(node, played, node.alpha, node.beta, Window::EXACT);
        }
    }
    node.anyLegal = true;
    node.ruleBound = node.ruleBound || answer.ruleBound;
    undoMove(snapshot);
    return takeAnswer(node, move, answer);
}

// Returns the stored value when the table holds one of the same depth, clear of the
// extension bound, the fifty-move rule and the end of the history, and decisive for the
// window.
bool tableCutoff(const TableEntry* entry, Node& node, int& value) {
    if (entry == nullptr || entry->depth != node.depth) return false;
    const int reach = entryReach(*entry);
    if (node.ply + reach >= MAX_PLY || pos.halfmoveClock + entryQuiet(*entry) >= FIFTY_MOVE_LIMIT ||
        historyAt(node.ply) + reach >= HISTORY_SIZE) {
        return false;
    }
    const int stored = scoreFromTable(entry->score, historyAt(node.ply));
    const Bound bound = entryBound(*entry);
    if (bound == BOUND_EXACT || (bound == BOUND_LOWER && stored >= node.beta) ||
        (bound == BOUND_UPPER && stored <= node.alpha)) {
        node.reach = reach;
        node.quiet = entryQuiet(*entry);
        value = clip(stored, node.alpha, node.beta);
        return true;
    }
    return false;
}

// Stores an answer that holds in every window and for every clock and history count
// under which a later probe accepts it.
void storeResult(const TableKey& key, const Node& node, int score, Bound bound, Move move) {
    if (node.ruleBound || searchProgress.stopped || node.ply + node.reach >= MAX_PLY ||
        pos.halfmoveClock + node.quiet >= FIFTY_MOVE_LIMIT ||
        historyAt(node.ply) + node.reach >= HISTORY_SIZE) {
        return;
    }
    storeTable(key, move, scoreToTable(score, historyAt(node.ply)), node.depth, bound, node.reach,
               node.quiet);
}

// Ends a node's search: fail hard on a cut-off; mate and stalemate; otherwise the value
// or a bound, or 0 under the fifty-move rule.
int finishNode(Node& node, const TableKey& key, bool cutoff, bool inCheckNow) {
    if (cutoff) {
        // Under the rule a cut-off at a positive beta holds for this window only.
        node.quiet = node.beta > 0 ? std::max(node.cutQuiet, 0) : node.cutQuiet;
        node.ruleBound = node.cutRuleBound;
        storeResult(key, node, node.beta, BOUND_LOWER, node.best);
        return node.beta;
    }
    if (!node.anyLegal) {
        node.reach = 0;
        node.quiet = NO_CLOCK_TEST;
        node.ruleBound = false;
        const int score = mateScore(inCheckNow, node.ply);
        storeResult(key, node, score, BOUND_EXACT, NO_MOVE);
        return score;
    }
    node.quiet = std::max(node.quiet, 0);
    if (underFiftyMoveRule()) return 0;
    storeResult(key, node, node.alpha, node.best == NO_MOVE ? BOUND_UPPER : BOUND_EXACT, node.best);
    return node.alpha;
}

// Searches a node's moves in order of promise: the table's move before any other is
// generated, then captures, killers and quiet moves by history.
int searchFree(Node& node, Move tableMove, const TableKey& key, const NodeSnapshot& snapshot,
               bool inCheckNow) {
    bool cutoff = tableMove != NO_MOVE && searchMoveFree(node, tableMove, key, snapshot);
    if (!cutoff) {
        MovePicker picker;
        startPicking(picker, tableMove, piecesOf(pos.side));
        for (Move move = nextMove(picker, node.ply); move != NO_MOVE && !cutoff;
             move = nextMove(picker, node.ply)) {
            cutoff = searchMoveFree(node, move, key, snapshot);
            if (cutoff) rememberCutoff(move, node.ply, node.depth);
        }
    }
    if (cutoff) node.cutRuleBound = false;  // a cut-off from an unbound answer holds
    return finishNode(node, key, cutoff, inCheckNow);
}

// Searches a node's moves in generation order with search()'s windows.
int searchInOrder(Node& node, const TableKey& key, const NodeSnapshot& snapshot, bool inCheckNow) {
    MoveList list;
    generateMovesOf(list, piecesOf(pos.side));
    bool cutoff = false;
    for (int k = 0; k < list.count && !cutoff; ++k) {
        cutoff = searchMoveInOrder(node, list.moves[k], key, snapshot);
    }
    return finishNode(node, key, cutoff, inCheckNow);
}

// Answers for a child of a node under the fifty-move rule, if the child can score above
// 0: a capture or pawn move is searched with the given window, a check is looked at for
// mate; any other child is itself under the rule, or stalemated, and cannot. Returns
// false for those.
bool answerUnderRule(Node& node, const Played& played, int floor, ChildAnswer& answer) {
    if (hasFlag(played.move, MF_CAPTURE | MF_PAWN)) {
        answer = searchChild(node, played, floor, node.beta, Window::FREE);
        return true;
    }
    if (!played.check || bestLegalGainByGeneration() != NO_LEGAL_MOVE) return false;
    ++searchCalls;  // the mated child
    node.reach = std::max(node.reach, 1);
    answer = {-mateScore(true, node.ply + 1), NO_CLOCK_TEST, false};
    return true;
}

// Searches a node under the fifty-move rule. A beta of 0 or less is reached by the rule's
// own 0, so any legal move gives beta. Otherwise the children outside the rule decide:
// beta if one reaches it, else 0. Only when none of them scores above alpha or 0 does
// the answer behave like a value; otherwise it is bound to the window. Nothing is stored.
int searchUnderRule(Node& node, const TableKey& key, const NodeSnapshot& snapshot,
                    bool inCheckNow) {
    MovePicker picker;
    startPicking(picker, NO_MOVE, piecesOf(pos.side));
    const int floor = std::max(node.alpha, 0);
    bool above = false;
    for (Move move = nextMove(picker, node.ply); move != NO_MOVE;
         move = nextMove(picker, node.ply)) {
        Played played{move, materialGain(move), false, {key, move, snapshot.position}};
        if (!tryMove(move, node.check, snapshot)) continue;
        node.anyLegal = true;
        node.quiet = 0;
        if (node.beta <= 0) {
            undoMove(snapshot);
            return node.beta;
        }
        played.check = givesCheck(move, kingOf(pos.side));
        ChildAnswer answer{};
        const bool counts = answerUnderRule(node, played, floor, answer);
        undoMove(snapshot);
        if (!counts) continue;
        if (answer.score >= node.beta) {
            node.ruleBound = true;
            return node.beta;
        }
        above = above || answer.score > floor;
    }
    if (!node.anyLegal) {
        node.reach = 0;
        return mateScore(inCheckNow, node.ply);
    }
    node.ruleBound = above;
    return 0;
}

// Checks a node's answer against search() under the same window, in builds made for it.
void verifyNode(int alpha, int beta, int depth, int ply, int score) {
    const int historyCount = pos.historyCount;
    const uint64_t calls = searchCalls;  // the check is not part of the search's work
    pos.historyCount = historyAt(ply);
    const int expected = searchAtPly(alpha, beta, depth, ply);
    pos.historyCount = historyCount;
    searchCalls = calls;
    if (clip(expected, alpha, beta) == clip(score, alpha, beta)) return;
    std::fprintf(stderr, "fastSearch: %s window (%d, %d) depth %d ply %d: %d, search() %d\n",
                 writeFen().c_str(), alpha, beta, depth, ply, score, expected);
    std::abort();
}

int searchNode(int alpha, int beta, int depth, int ply, const KeyOrigin& origin, int material,
               bool inCheckNow, Window window, Dependence& dep);

int searchNodeBody(int alpha, int beta, int depth, int ply, const KeyOrigin& origin, int material,
                   bool inCheckNow, Window window, Dependence& dep) {
    ++searchCalls;
    dep = Dependence{0, NO_CLOCK_TEST, false};
    // A stopped search unwinds at once; its values are thrown away with the iteration.
    if (searchMustStop()) return 0;
    // 1. Leaves are scored by material alone.
    if (depth <= 0) return material;

    // 2. The check extension, bounded as in the straightforward search; a node whose
    // children are leaves needs no child at all, nor a table key.
    if (inCheckNow && ply < MAX_PLY) ++depth;
    noteSelDepth(ply + depth);
    if (depth == 1) return searchFrontier(alpha, beta, ply, inCheckNow, material, dep);
    const TableKey key = updateKey(origin.parent, origin.move, origin.before);
    Node node = makeNode(alpha, beta, depth, ply, material, inCheckNow);

    // 3. A stored value of the same depth, or at least the move to try first.
    const TableEntry* entry = probeTable(key);
    int value = 0;
    if (!underFiftyMoveRule() && tableCutoff(entry, node, value)) {
        dep = Dependence{node.reach, node.quiet, false};
        return value;
    }
    const Move tableMove = entry != nullptr ? entry->move : NO_MOVE;

    // 4. The moves, each undone by copy: under the fifty-move rule only those that can
    // reach beta; otherwise in order of promise, and again in generation order when the
    // rule bound an answer below and the window is search()'s own.
    NodeSnapshot snapshot;
    takeNodeSnapshot(snapshot);
    int score = 0;
    if (underFiftyMoveRule()) {
        score = searchUnderRule(node, key, snapshot, inCheckNow);
    } else if (window == Window::IN_ORDER) {
        score = searchInOrder(node, key, snapshot, inCheckNow);
    } else {
        score = searchFree(node, tableMove, key, snapshot, inCheckNow);
        if (node.ruleBound && window == Window::EXACT) {
            node = makeNode(alpha, beta, depth, ply, material, inCheckNow);
            score = searchInOrder(node, key, snapshot, inCheckNow);
        }
    }
    dep = Dependence{node.reach, node.quiet, node.ruleBound};
    return score;
}

int searchNode(int alpha, int beta, int depth, int ply, const KeyOrigin& origin, int material,
               bool inCheckNow, Window window, Dependence& dep) {
    const int score =
        searchNodeBody(alpha, beta, depth, ply, origin, material, inCheckNow, window, dep);
    if (VERIFY_NODES && (window != Window::FREE || !dep.ruleBound)) {
        verifyNode(alpha, beta, depth, ply, score);
    }
    return score;
}

// Searches every move of the top level in generation order, keeping the first of equal
// scores, exactly as search() does at its top level.
int searchTop(int depth, const TableKey& key, const MoveList& list) {
    ++searchCalls;
    const int material = evaluate();
    if (depth <= 0) return material;
    const bool inCheckNow = sideToMoveInCheck();
    if (inCheckNow) ++depth;
    Node node = makeNode(-SCORE_LIMIT, SCORE_LIMIT, depth, 0, material, inCheckNow);
    NodeSnapshot snapshot;
    takeNodeSnapshot(snapshot);
    for (int k = 0; k < list.count; ++k) {
        if (searchMoveInOrder(node, list.moves[k], key, snapshot)) return node.beta;
    }
    bestMove = node.best;
    if (!node.anyLegal) return mateScore(inCheckNow, 0);
    return underFiftyMoveRule() ? 0 : node.alpha;
}

}  // namespace

int fastSearch(int depth) {
    MoveList list;
    generateMoves(list);
    return fastSearch(depth, list);
}

int fastSearch(int depth, const MoveList& rootMoves) {
    bestMove = NO_MOVE;
    if (depth > FAST_SEARCH_MAX_DEPTH) return search(-SCORE_LIMIT, SCORE_LIMIT, depth);
    state.rootHistoryCount = pos.historyCount;
    findPieces();
    clearMoveOrdering();
    const TableKey key = positionKey();
    return searchTop(depth, key, rootMoves);
}

void clearSearchTable() { clearTable(); }
