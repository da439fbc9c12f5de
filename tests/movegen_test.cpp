#include <gtest/gtest.h>

#include "core/movegen.h"

TEST(Movegen, Start) {
    setupInitialPosition();
    MoveList list;
    generateMoves(list);
    EXPECT_EQ(list.count, 22);
}
