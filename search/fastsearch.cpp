#include "search/fastsearch.h"

#include <algorithm>
#include <cstring>

#include "core/movegen.h"
#include "core/position.h"
#include "core/rules.h"
#include "search/evaluate.h"
#include "search/frontier.h"
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

constexpr int PLY_LIMIT = MAX_PLY + ROOT_DEPTH + 8;  // no line of any search goes deeper
constexpr int ORDER_TABLE_MOVE = 1 << 30;
constexpr int ORDER_CAPTURE = 1 << 20;
constexpr int ORDER_KILLER = 1 << 19;

// clang-format off
constexpr int KING_LINES_SPAN = 77;   // the largest distance between two aligned squares
// clang-format on

// Tells whether two squares may share a rank, file or diagonal; the table errs on the
// side of yes, which only costs a full attack test.
constexpr bool mayBeAligned(int difference) {
    const int d = difference < 0 ? -difference : difference;
    return d <= 7 || (d % 10 == 0 && d <= 70) || (d % 9 == 0 && d <= 63) ||
           (d % 11 == 0 && d <= KING_LINES_SPAN);
}

struct AlignmentTable {
    bool aligned[2 * BOARD_SIZE];
    constexpr AlignmentTable() : aligned() {
        for (int d = -BOARD_SIZE + 1; d < BOARD_SIZE; ++d)
            aligned[d + BOARD_SIZE] = mayBeAligned(d);
    }
};
constexpr AlignmentTable ALIGNMENT;

// The state one search keeps beside the global position.
struct SearchState {
    int rootHistoryCount;
    int kingSquare[2];  // indexed by colour >> 3
    Move killers[PLY_LIMIT][2];
};
SearchState state;

int& kingOf(int colour) {
    return state.kingSquare[colour >> 3];
}

int findKing(int colour) {
    for (int i = FIRST_PLAYING_SQUARE; i <= LAST_PLAYING_SQUARE; ++i) {
        if (pos.board[i] == (KING | colour)) return i;
    }
    return NO_SQUARE;
}

bool sideToMoveInCheck() {
    const int king = kingOf(pos.side);
    return king != NO_SQUARE && isAttacked(king, pos.side ^ BLACK);
}

// Returns the material the move wins for the side making it.
int materialGain(Move move) {
    int gain = 0;
    if (hasFlag(move, MF_EN_PASSANT)) {
        gain = PIECE_VALUES[PAWN];
    } else if (hasFlag(move, MF_CAPTURE)) {
        gain = PIECE_VALUES[pieceType(pos.board[moveTo(move)])];
    }
    if (hasFlag(move, MF_PROMOTION)) gain += PIECE_VALUES[movePromotion(move)] - PIECE_VALUES[PAWN];
    return gain;
}

void undoMove(Move move, const PositionSnapshot& before) {
    pos.side ^= BLACK;
    if (pieceType(before.board[moveFrom(move)]) == KING) kingOf(pos.side) = moveFrom(move);
    restoreSnapshot(before);
}

// Plays a move on the global position, keeping the king squares current; returns false,
// with the position as before, when the move is illegal.
bool tryMove(Move move, bool inCheckNow, const PositionSnapshot& before) {
    const int from = moveFrom(move);
    const int mover = pos.side;
    const bool kingMoves = pieceType(pos.board[from]) == KING;
    if (!playPseudoLegal(move)) return false;
    if (kingMoves) kingOf(mover) = moveTo(move);
    const int king = kingOf(mover);
    const bool mayExpose = inCheckNow || kingMoves || hasFlag(move, MF_EN_PASSANT) ||
                           ALIGNMENT.aligned[from - king + BOARD_SIZE];
    if (mayExpose && isAttacked(king, pos.side)) {
        undoMove(move, before);
        return false;
    }
    return true;
}

// Scores moves for trying the likeliest cut-offs first: the table's move, captures by
// victim then attacker, then the killers of this ply.
void scoreMoves(const MoveList& list, int* order, Move tableMove, int ply) {
    for (int k = 0; k < list.count; ++k) {
        const Move m = list.moves[k];
        int score = 0;
        if (m == tableMove) {
            score = ORDER_TABLE_MOVE;
        } else if (hasFlag(m, MF_CAPTURE | MF_PROMOTION)) {
            const int attacker = PIECE_VALUES[pieceType(pos.board[moveFrom(m)])];
            score = ORDER_CAPTURE + materialGain(m) * 16 - attacker;
        } else if (m == state.killers[ply][0]) {
            score = ORDER_KILLER + 1;
        } else if (m == state.killers[ply][1]) {
            score = ORDER_KILLER;
        }
        order[k] = score;
    }
}

// Moves the best-scored remaining move to position k.
void pickNext(MoveList& list, int* order, int k) {
    int best = k;
    for (int j = k + 1; j < list.count; ++j) {
        if (order[j] > order[best]) best = j;
    }
    std::swap(list.moves[k], list.moves[best]);
    std::swap(order[k], order[best]);
}

void rememberKiller(Move move, int ply) {
    if (hasFlag(move, MF_CAPTURE | MF_PROMOTION) || state.killers[ply][0] == move) return;
    state.killers[ply][1] = state.killers[ply][0];
    state.killers[ply][0] = move;
}

int clip(int score, int alpha, int beta) {
    return std::min(std::max(score, alpha), beta);
}

int mateScore(bool inCheckNow, int ply) {
    return inCheckNow ? state.rootHistoryCount + ply - SCORE_LIMIT : 0;
}

// Scores a node whose children are leaves by the best material its side can win with
// one legal move; no child needs to be visited.
int searchFrontier(int alpha, int beta, int ply, bool inCheckNow, int material) {
    const int gain = inCheckNow
                         ? bestLegalGainByGeneration()
                         : bestLegalGain(kingOf(pos.side), alpha - material, beta - material);
    if (gain == NO_LEGAL_MOVE) return mateScore(inCheckNow, ply);
    return clip(material + gain, alpha, beta);
}

int searchNode(int alpha, int beta, int depth, int ply, TableKey key, int material, int& reach);

// Searches the position after a move and returns its score for the side that made it;
// gain is the material the move won.
int searchChild(int gain, int alpha, int beta, int depth, int ply, const TableKey& childKey,
                int material, int& reach) {
    int childReach = 0;
    const int score =
        -searchNode(-beta, -alpha, depth - 1, ply + 1, childKey, -(material + gain), childReach);
    reach = std::max(reach, childReach + 1);
    return score;
}

int searchNode(int alpha, int beta, int depth, int ply, TableKey key, int material, int& reach) {
    ++searchCalls;
    reach = 0;
    // 1. Leaves are scored by material alone.
    if (depth <= 0) return material;

    // 2. The check extension, bounded as in the straightforward search.
    const bool inCheckNow = sideToMoveInCheck();
    if (inCheckNow && ply < MAX_PLY) ++depth;
    if (depth == 1) {
        reach = 1;
        return searchFrontier(alpha, beta, ply, inCheckNow, material);
    }

    // 3. A stored value of the same depth that stays clear of the extension bound.
    const int historyCount = state.rootHistoryCount + ply;
    Move tableMove = NO_MOVE;
    const TableEntry* entry = probeTable(key);
    if (entry != nullptr) {
        tableMove = entry->move;
        const int stored = scoreFromTable(entry->score, historyCount);
        if (entry->depth == depth && ply + entryReach(*entry) < MAX_PLY) {
            const int bound = entryBound(*entry);
            if (bound == BOUND_EXACT || (bound == BOUND_LOWER && stored >= beta) ||
                (bound == BOUND_UPPER && stored <= alpha)) {
                reach = entryReach(*entry);
                return clip(stored, alpha, beta);
            }
        }
    }

    // 4. Try the moves in order of promise, undoing each by copy.
    MoveList list;
    generateMoves(list);
    int order[MAX_MOVES];
    scoreMoves(list, order, tableMove, ply);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    bool anyLegal = false;
    Move best = NO_MOVE;
    for (int k = 0; k < list.count; ++k) {
        pickNext(list, order, k);
        const Move move = list.moves[k];
        const int gain = materialGain(move);
        if (!tryMove(move, inCheckNow, snapshot)) continue;
        const TableKey childKey = updateKey(key, move, snapshot);

        // 5. The first move gets the full window; the others only have to show that they
        // are no better, and are searched again when they are.
        int score = 0;
        if (!anyLegal) {
            score = searchChild(gain, alpha, beta, depth, ply, childKey, material, reach);
        } else {
            score = searchChild(gain, alpha, alpha + 1, depth, ply, childKey, material, reach);
            if (score > alpha && score < beta) {
                score = searchChild(gain, alpha, beta, depth, ply, childKey, material, reach);
            }
        }
        anyLegal = true;
        undoMove(move, snapshot);

        // 6. Fail hard on a cut-off; remember what caused it.
        if (score > alpha) {
            if (score >= beta) {
                rememberKiller(move, ply);
                if (ply + reach < MAX_PLY) {
                    storeTable(key, move, scoreToTable(beta, historyCount), depth, BOUND_LOWER,
                               reach);
                }
                return beta;
            }
            alpha = score;
            best = move;
        }
    }

    // 7. Mate and stalemate; otherwise the value or an upper bound of it.
    if (!anyLegal) {
        reach = 0;
        const int score = mateScore(inCheckNow, ply);
        storeTable(key, NO_MOVE, scoreToTable(score, historyCount), depth, BOUND_EXACT, 0);
        return score;
    }
    if (ply + reach < MAX_PLY) {
        storeTable(key, best, scoreToTable(alpha, historyCount), depth,
                   best == NO_MOVE ? BOUND_UPPER : BOUND_EXACT, reach);
    }
    return alpha;
}

// Searches every move of the top level in generation order, keeping the first of equal
// scores, exactly as search() does at its top level.
int searchTop(int depth, TableKey key) {
    ++searchCalls;
    const int material = evaluate();
    if (depth <= 0) return material;
    const bool inCheckNow = sideToMoveInCheck();
    if (inCheckNow) ++depth;
    MoveList list;
    generateMoves(list);
    PositionSnapshot snapshot;
    takeSnapshot(snapshot);
    int alpha = -SCORE_LIMIT;
    const int beta = SCORE_LIMIT;
    bool anyLegal = false;
    for (int k = 0; k < list.count; ++k) {
        const Move move = list.moves[k];
        const int gain = materialGain(move);
        if (!tryMove(move, inCheckNow, snapshot)) continue;
        anyLegal = true;
        const TableKey childKey = updateKey(key, move, snapshot);
        int reach = 0;
        const int score = searchChild(gain, alpha, beta, depth, 0, childKey, material, reach);
        undoMove(move, snapshot);
        if (score > alpha) {
            if (score >= beta) return beta;
            alpha = score;
            bestMove = move;
        }
    }
    return anyLegal ? alpha : mateScore(inCheckNow, 0);
}

// Tells whether the table's reasoning holds for a top-level search of this depth: no
// line may reach the fifty-move limit or fill the history.
bool fastSearchApplies(int depth) {
    const int deepestPly = MAX_PLY + depth;
    return pos.halfmoveClock + deepestPly < FIFTY_MOVE_LIMIT &&
           pos.historyCount + deepestPly < HISTORY_SIZE && depth <= ROOT_DEPTH;
}

}  // namespace

int fastSearch(int depth) {
    bestMove = NO_MOVE;
    if (!fastSearchApplies(depth)) return search(-SCORE_LIMIT, SCORE_LIMIT, depth);
    state.rootHistoryCount = pos.historyCount;
    state.kingSquare[0] = findKing(WHITE);
    state.kingSquare[1] = findKing(BLACK);
    std::memset(state.killers, 0, sizeof state.killers);
    const TableKey key = positionKey();
    // Shallower searches first fill the table with moves worth trying first.
    for (int d = 2; d < depth; ++d) {
        searchTop(d, key);
    }
    bestMove = NO_MOVE;
    return searchTop(depth, key);
}

void clearSearchTable() {
    clearTable();
}
