// Scores as the search gives them: material in pawns, or a mate counted by the history.
#pragma once

#include <cstdlib>

#include "core/position.h"
#include "search/search.h"

// Scores this far from zero can only be mate scores: material never reaches them.
constexpr int MATE_SCORE_THRESHOLD = SCORE_LIMIT - HISTORY_SIZE;

// Converts a search score into moves to mate, from the view of the side that searched:
// positive when it mates, negative when it is mated, 0 for a material score. historyCount is
// the length of the hash history when the search ran.
inline int mateMovesOf(int score, int historyCount) {
    if (std::abs(score) < MATE_SCORE_THRESHOLD) return 0;
    // A mate found after p plies from here scores SCORE_LIMIT - (historyCount + p).
    int plies = SCORE_LIMIT - std::abs(score) - historyCount;
    if (plies < 1) plies = 1;
    const int moves = (plies + 1) / 2;
    return score > 0 ? moves : -moves;
}
