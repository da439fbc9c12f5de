#include <gtest/gtest.h>

#include "core/position.h"
#include "search/search.h"

TEST(Search, StartPosition) {
    pos.historyCount = 0;
    setupInitialPosition();
    bestMove = NO_MOVE;
    searchCalls = 0;
    EXPECT_EQ(search(-SCORE_LIMIT, SCORE_LIMIT, ROOT_DEPTH), -1);
    EXPECT_EQ(bestMove, makeMoveCode(81, 71, 0, MF_PAWN));
    EXPECT_EQ(searchCalls, 710312u);
    EXPECT_EQ(pos.historyCount, 0);
}
