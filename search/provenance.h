// What an answer of the fast search relied on besides its position, its depth and its
// window, and so where else it holds. Three limits can make the same position at the same
// depth give another answer: the check extension stops MAX_PLY plies below the top, a node
// whose halfmove clock has reached FIFTY_MOVE_LIMIT is under the fifty-move rule, and mate
// scores stop growing once the history is full. This header and the node under the rule
// (rulenode.cpp) are the only parts of the fast search that know the last two.
#pragma once

#include <algorithm>

#include "core/move.h"
#include "core/position.h"
#include "search/limits.h"
#include "search/score.h"
#include "search/ttable.h"

// The quiet plies of an answer that read no halfmove clock.
constexpr int NO_CLOCK_TEST = -1;

struct Provenance {
    int reach;         // plies below the node that the search behind the answer looked at
    int quiet;         // plies without a capture or pawn move down to the deepest clock test
                       // the answer relied on; NO_CLOCK_TEST for none
    bool windowBound;  // the fifty-move rule made it hold for its own window only
    bool oneSided;     // a bound that the rule makes hold only on its own side: a cut-off
                       // at beta for every lower beta, a fail-low at alpha for every
                       // higher alpha, as a table's bounds are used; no value rests on it
};

// A leaf, or a node without a legal move: nothing below it, and no clock read.
constexpr Provenance NOTHING_BELOW{0, NO_CLOCK_TEST, false, false};

// The table holds what any answer it may take relies on.
static_assert(MAX_STORED_REACH >= MAX_PLY - 1, "a stored reach ends above MAX_PLY");
static_assert(MAX_STORED_QUIET >= FIFTY_MOVE_LIMIT - 1, "a stored quiet count ends below the rule");
static_assert(SCORE_LIMIT + HISTORY_SIZE <= MAX_STORED_SCORE, "a mate stored from its node fits");
static_assert(FAST_SEARCH_MAX_DEPTH + MAX_PLY <= MAX_STORED_DEPTH, "an extended depth fits");

constexpr bool underFiftyMoveRule(int clock) { return clock >= FIFTY_MOVE_LIMIT; }

// Tells whether a move starts the halfmove clock again: what lies below it reads no clock
// above it.
constexpr bool restartsClock(Move move) { return hasFlag(move, MF_CAPTURE | MF_PAWN); }

// Returns the halfmove clock after a move.
constexpr int clockAfter(int clock, Move move) { return restartsClock(move) ? 0 : clock + 1; }

// Returns the history count at a node ply plies below the top: it stops growing once the
// history is full, and so do the mate scores.
constexpr int historyCountAt(int rootHistoryCount, int ply) {
    return std::min(rootHistoryCount + ply, HISTORY_SIZE);
}

// Returns what a child's answer relied on, seen from its parent.
constexpr Provenance throughMove(Provenance child, Move move) {
    const bool readsClock = child.quiet != NO_CLOCK_TEST && !restartsClock(move);
    return {child.reach + 1, readsClock ? child.quiet + 1 : NO_CLOCK_TEST, child.windowBound,
            child.oneSided};
}

// Returns what a node's answer relies on once one more child was searched: as far down and
// as many quiet plies as any of them. How far it holds is said by withWindowBoundOf and
// withFailLowOf as the children answer, and by atCutoff or atBestScore at the end.
constexpr Provenance widened(Provenance node, Provenance child) {
    return {std::max(node.reach, child.reach), std::max(node.quiet, child.quiet), node.windowBound,
            node.oneSided};
}

// Returns what a node searched once a child answered: a child's answer bound to its window
// binds the node's own answer to its window, unless a later child cuts off.
constexpr Provenance withWindowBoundOf(Provenance searched, Provenance child) {
    searched.windowBound = searched.windowBound || child.windowBound;
    return searched;
}

// Returns what a node searched once a child failed low and was passed over: a fail-low of
// the node is as one-sided as the fail-lows below it.
constexpr Provenance withFailLowOf(Provenance searched, Provenance child) {
    searched.oneSided = searched.oneSided || child.oneSided;
    return searched;
}

// Returns what an answer relies on when it also relies on the node's own clock test: a
// node answers its best score only because its clock is below the limit.
constexpr Provenance withClockTest(Provenance p) {
    p.quiet = std::max(p.quiet, 0);
    return p;
}

// Tells whether the fifty-move rule itself answers beta at a node with a legal move: a
// node under the rule answers 0 when no child reaches beta, and 0 reaches a beta of 0 or
// less. This is the one fact that makes cut-offs at such a beta independent of the clock.
constexpr bool ruleReachesBeta(int beta) { return beta <= 0; }

// Tells whether a cut-off at beta holds for every higher beta as well, as an ordinary
// lower bound does: under the rule, one at a positive beta does not, since a beta beyond
// every child gets the rule's 0.
constexpr bool cutoffHoldsForHigherBetas(int clock, int beta) {
    return !underFiftyMoveRule(clock) || ruleReachesBeta(beta);
}

// Returns what a cut-off at beta relies on: what the node searched reached, the quiet plies
// of the answer that cut off and, unless the rule would give beta as well, the node's own
// clock test. It is one-sided when the answer that cut off was, or when the rule's answer
// holds for lower betas only.
constexpr Provenance atCutoff(Provenance searched, Provenance cutting, int beta, int clock) {
    const bool oneSided = cutting.oneSided || !cutoffHoldsForHigherBetas(clock, beta);
    const Provenance p{searched.reach, cutting.quiet, cutting.windowBound, oneSided};
    return ruleReachesBeta(beta) ? p : withClockTest(p);
}

// Returns what a node's best score relies on when no child reached beta: what its children
// reached, and its own clock test. A fail-low is as one-sided as the answers below it. A
// raised alpha is no bound: where it passed over a one-sided answer, it holds for its
// window only, since with a lower alpha that child could have scored above it.
constexpr Provenance atBestScore(Provenance searched, bool raisedAlpha) {
    Provenance p = withClockTest(searched);
    if (raisedAlpha) {
        p.windowBound = p.windowBound || p.oneSided;
        p.oneSided = false;
    }
    return p;
}

// Returns what the answer of a node whose children are all leaves relies on: one ply below,
// and its own clock test unless it cut off at a beta the rule reaches.
constexpr Provenance atFrontier(bool cutoff, int beta, int clock) {
    constexpr Provenance LEAVES{1, NO_CLOCK_TEST, false, false};
    return cutoff ? atCutoff(LEAVES, LEAVES, beta, clock) : withClockTest(LEAVES);
}

// Tells whether an answer may be used, or stored, at a node ply plies below the top with
// the given clock and history count: it holds for every window on either side, and none of the
// three limits falls within what it looked at. The table probe and the table store both ask.
constexpr bool reusable(Provenance p, int ply, int clock, int historyCount) {
    return !p.windowBound && !p.oneSided && ply + p.reach < MAX_PLY &&
           clock + p.quiet < FIFTY_MOVE_LIMIT && historyCount + p.reach < HISTORY_SIZE;
}

// Converts a mate score between distance from the top (in the search) and distance from
// the node (in the table); historyCount is the node's.
constexpr int scoreToTable(int score, int historyCount) {
    if (!isMateScore(score)) return score;
    return score > 0 ? score + historyCount : score - historyCount;
}
constexpr int scoreFromTable(int stored, int historyCount) {
    if (!isMateScore(stored)) return stored;
    return stored > 0 ? stored - historyCount : stored + historyCount;
}
