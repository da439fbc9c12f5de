#include <gtest/gtest.h>

#include <string>

#include "core/fen.h"
#include "core/perft.h"

TEST(SlowPerft, StartPositionDepth5) {
    std::string error;
    ASSERT_TRUE(readFen(START_FEN, error)) << error;
    EXPECT_EQ(perft(5), 4865609u);
}
