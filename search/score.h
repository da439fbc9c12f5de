// What a score says: material in pawns from the side to move's view, or a mate, scored by
// the history count at the mated node.
#pragma once

#include <algorithm>

#include "core/position.h"

constexpr int SCORE_LIMIT = 10000;  // the outer window; a mated side scores historyCount - this

// Scores at least this far from zero are mate scores: a mate scores SCORE_LIMIT less the
// history count, which is at most HISTORY_SIZE, and material never comes near.
constexpr int MATE_RANGE = 8000;
static_assert(MATE_RANGE <= SCORE_LIMIT - HISTORY_SIZE, "every mate score lies in the mate range");

constexpr bool isMateScore(int score) { return score >= MATE_RANGE || score <= -MATE_RANGE; }

// Returns the score of a side that is mated at a node with this history count.
constexpr int matedScore(int historyCount) { return historyCount - SCORE_LIMIT; }

// Converts a search score into moves to mate, from the view of the side that searched:
// positive when it mates, negative when it is mated, 0 for a material score. historyCount is
// the length of the hash history when the search ran.
constexpr int mateMovesOf(int score, int historyCount) {
    if (!isMateScore(score)) return 0;
    // A mate found p plies from here scores SCORE_LIMIT - (historyCount + p).
    const int plies = std::max(SCORE_LIMIT - std::max(score, -score) - historyCount, 1);
    const int moves = (plies + 1) / 2;
    return score > 0 ? moves : -moves;
}
