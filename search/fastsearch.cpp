#include "search/fastsearch.h"

#include <algorithm>

#include "core/legality.h"
#include "core/movegen.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/evaluate.h"
#include "search/frontier.h"
#include "search/movepicker.h"
#include "search/search.h"
#include "search/ttable.h"

// Why the answers agree with search(): a fail-hard alpha-beta search returns its true
// value clipped to the window whatever the order of the moves below the top level, so
// only the top level keeps generation order. Below it, moves are ordered, and values
// are shared through the table under a key of board, side, rights and en-passant
// square. A value depends on the node's depth (stored exactly), on the history count
// through mate distances (stored relative to the node) and on how deep below the top
// level the check extension may still apply (each entry records the plies its value
// reached). The halfmove clock and a full history would break this; those moves are
// left to search() itself.

namespace {

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

int mateScore(bool inCheckNow, int ply) {
    return inCheckNow ? state.rootHistoryCount + ply - SCORE_LIMIT : 0;
}

// Scores a node whose children are leaves by the best material its side can win with
// one legal move; no child needs to be visited.
int searchFrontier(int alpha, int beta, int ply, bool inCheckNow, int material) {
    const int gain =
        inCheckNow ? bestLegalGainByGeneration()
                   : bestLegalGain(kingOf(pos.side), piecesOf(pos.side), piecesOf(pos.side ^ BLACK),
                                   alpha - material, beta - material);
    if (gain == NO_LEGAL_MOVE) return mateScore(inCheckNow, ply);
    return clip(material + gain, alpha, beta);
}

// Where a node's table key comes from: its parent's key and the move played there. The
// key is only worked out by nodes that use the table.
struct KeyOrigin {
    const TableKey& parent;
    Move move;
    const PositionSnapshot& before;
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
};

int searchNode(int alpha, int beta, int depth, int ply, const KeyOrigin& origin, int material,
               bool inCheckNow, int& reach);

// Searches the position after a move with the given window and returns its score for
// the side that made it; gain is the material the move won.
int searchChild(Node& node, int alpha, int beta, int gain, const KeyOrigin& origin, bool check) {
    int childReach = 0;
    const int score = -searchNode(-beta, -alpha, node.depth - 1, node.ply + 1, origin,
                                  -(node.material + gain), check, childReach);
    node.reach = std::max(node.reach, childReach + 1);
    return score;
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
    const QuietMoveOutcome outcome = classifyQuietMove(
        move, kingOf(pos.side), kingOf(pos.side ^ BLACK), piecesOf(pos.side ^ BLACK));
    if (outcome == QuietMoveOutcome::OTHER) return false;
    if (outcome == QuietMoveOutcome::LEAVES_A_REPLY) {
        ++searchCalls;  // the child a search would have entered
        node.anyLegal = true;
        node.reach = std::max(node.reach, 2);
    }
    return true;
}

// Plays one move of a node and searches it: the first legal move with the full window,
// the others first with a null window that only asks whether they are better.
// Returns true on a cut-off.
bool searchMove(Node& node, Move move, const TableKey& key, const NodeSnapshot& snapshot) {
    if (cannotRaiseAlpha(node, move)) return false;
    const int gain = materialGain(move);
    if (!tryMove(move, node.check, snapshot)) return false;
    const KeyOrigin origin{key, move, snapshot.position};
    const bool check = givesCheck(move, kingOf(pos.side));
    int score = 0;
    if (!node.anyLegal) {
        score = searchChild(node, node.alpha, node.beta, gain, origin, check);
    } else {
        score = searchChild(node, node.alpha, node.alpha + 1, gain, origin, check);
        if (score > node.alpha && score < node.beta) {
            score = searchChild(node, node.alpha, node.beta, gain, origin, check);
        }
    }
    node.anyLegal = true;
    undoMove(snapshot);
    if (score <= node.alpha) return false;
    node.best = move;
    if (score >= node.beta) return true;
    node.alpha = score;
    return false;
}

// Returns the stored value when the table holds one of the same depth, clear of the
// extension bound and decisive for the window.
bool tableCutoff(const TableEntry* entry, Node& node, int historyCount, int& value) {
    if (entry == nullptr || entry->depth != node.depth) return false;
    if (node.ply + entryReach(*entry) >= MAX_PLY) return false;
    const int stored = scoreFromTable(entry->score, historyCount);
    const Bound bound = entryBound(*entry);
    if (bound == BOUND_EXACT || (bound == BOUND_LOWER && stored >= node.beta) ||
        (bound == BOUND_UPPER && stored <= node.alpha)) {
        node.reach = entryReach(*entry);
        value = clip(stored, node.alpha, node.beta);
        return true;
    }
    return false;
}

void storeResult(const TableKey& key, const Node& node, int score, Bound bound, Move move) {
    if (node.ply + node.reach >= MAX_PLY) return;
    storeTable(key, move, scoreToTable(score, state.rootHistoryCount + node.ply), node.depth, bound,
               node.reach);
}

int searchNode(int alpha, int beta, int depth, int ply, const KeyOrigin& origin, int material,
               bool inCheckNow, int& reach) {
    ++searchCalls;
    reach = 0;
    // 1. Leaves are scored by material alone.
    if (depth <= 0) return material;

    // 2. The check extension, bounded as in the straightforward search; a node whose
    // children are leaves needs no child at all, nor a table key.
    if (inCheckNow && ply < MAX_PLY) ++depth;
    if (depth == 1) {
        reach = 1;
        return searchFrontier(alpha, beta, ply, inCheckNow, material);
    }
    const TableKey key = updateKey(origin.parent, origin.move, origin.before);
    Node node{alpha, beta, depth, ply, material, checkersOf(inCheckNow), false, NO_MOVE, 0};

    // 3. A stored value of the same depth, or at least the move to try first.
    const TableEntry* entry = probeTable(key);
    int value = 0;
    if (tableCutoff(entry, node, state.rootHistoryCount + ply, value)) {
        reach = node.reach;
        return value;
    }
    const Move tableMove = entry != nullptr ? entry->move : NO_MOVE;

    // 4. The table's move before any other is generated, then the rest in order of
    // promise, each undone by copy.
    NodeSnapshot snapshot;
    takeNodeSnapshot(snapshot);
    bool cutoff = tableMove != NO_MOVE && searchMove(node, tableMove, key, snapshot);
    if (!cutoff) {
        MovePicker picker;
        startPicking(picker, tableMove, piecesOf(pos.side));
        for (Move move = nextMove(picker, ply); move != NO_MOVE && !cutoff;
             move = nextMove(picker, ply)) {
            cutoff = searchMove(node, move, key, snapshot);
            if (cutoff) rememberCutoff(move, ply, depth);
        }
    }
    reach = node.reach;

    // 5. Fail hard on a cut-off; mate and stalemate; otherwise the value or a bound.
    if (cutoff) {
        storeResult(key, node, beta, BOUND_LOWER, node.best);
        return beta;
    }
    if (!node.anyLegal) {
        reach = node.reach = 0;
        const int score = mateScore(inCheckNow, ply);
        storeResult(key, node, score, BOUND_EXACT, NO_MOVE);
        return score;
    }
    storeResult(key, node, node.alpha, node.best == NO_MOVE ? BOUND_UPPER : BOUND_EXACT, node.best);
    return node.alpha;
}

// Searches every move of the top level in generation order, keeping the first of equal
// scores, exactly as search() does at its top level.
int searchTop(int depth, const TableKey& key) {
    ++searchCalls;
    const int material = evaluate();
    if (depth <= 0) return material;
    const bool inCheckNow = sideToMoveInCheck();
    if (inCheckNow) ++depth;
    Node node{-SCORE_LIMIT,           SCORE_LIMIT, depth,   0, material,
              checkersOf(inCheckNow), false,       NO_MOVE, 0};
    MoveList list;
    generateMoves(list);
    NodeSnapshot snapshot;
    takeNodeSnapshot(snapshot);
    for (int k = 0; k < list.count; ++k) {
        if (searchMove(node, list.moves[k], key, snapshot)) return node.beta;
    }
    bestMove = node.best;
    return node.anyLegal ? node.alpha : mateScore(inCheckNow, 0);
}

// Tells whether the table's reasoning holds for a top-level search of this depth: no
// line may reach the fifty-move limit or fill the history.
bool fastSearchApplies(int depth) {
    const int deepestPly = MAX_PLY + depth;
    return pos.halfmoveClock + deepestPly < FIFTY_MOVE_LIMIT &&
           pos.historyCount + deepestPly < HISTORY_SIZE && depth <= FAST_SEARCH_MAX_DEPTH;
}

}  // namespace

int fastSearch(int depth) {
    bestMove = NO_MOVE;
    if (!fastSearchApplies(depth)) return search(-SCORE_LIMIT, SCORE_LIMIT, depth);
    state.rootHistoryCount = pos.historyCount;
    findPieces();
    clearMoveOrdering();
    const TableKey key = positionKey();
    return searchTop(depth, key);
}

void clearSearchTable() { clearTable(); }
