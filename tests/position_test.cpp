#include <gtest/gtest.h>

#include "core/position.h"

TEST(Position, StartHash) {
    pos.historyCount = 0;
    setupInitialPosition();
    EXPECT_EQ(pos.hash, 0xFC0000EEu);
}
