// Slow tests: deep move counts and whole games of the built program.
#include <gtest/gtest.h>

#include "core/perft.h"
#include "tests/test_util.h"

namespace {

uint64_t perftFrom(const char* fen, int depth) {
    std::string error;
    EXPECT_TRUE(readFen(fen, error)) << error;
    return perft(depth);
}

TEST(SlowPerft, StartPositionDepth5) {
    EXPECT_EQ(perftFrom(START_FEN, 5), 4865609u);
}

TEST(SlowPerft, KiwipeteDepth4) {
    EXPECT_EQ(perftFrom("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 4),
              4085603u);
}

TEST(SlowPerft, RookEndgameDepth5) {
    EXPECT_EQ(perftFrom("8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 5), 674624u);
}

TEST(SlowPerft, PromotionsAndPinsDepth4) {
    EXPECT_EQ(perftFrom("r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 4),
              422333u);
}

TEST(SlowPerft, PromotionWithCheckDepth4) {
    EXPECT_EQ(perftFrom("rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 4), 2103487u);
}

}  // namespace

// Whole games of the built program: it plays to the end, writes the result line and
// waits for Enter, whatever form the Enter takes or when input has already ended.
namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct FinalInput {
    const char* name;
    std::string bytes;
};

void PrintTo(const FinalInput& input, std::ostream* out) {
    *out << input.name;
}

class WholeGame : public ::testing::TestWithParam<FinalInput> {};

TEST_P(WholeGame, EndsWithAResultAndExitsCleanly) {
    test::TempFile input(GetParam().bytes);
    test::TempFile output;
    ASSERT_TRUE(input.ok() && output.ok());
    const pid_t pid = test::spawnProgram(input.fd(), output.fd());
    ASSERT_GT(pid, 0);
    const int status = test::waitForProgram(pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;

    const std::string text = output.content();
    EXPECT_EQ(text.compare(0, test::startPicture().size(), test::startPicture()), 0);
    EXPECT_TRUE(endsWith(text, "\r\n\r\nCHECKMATE!\r\n") ||
                endsWith(text, "\r\n\r\nSTALEMATE!\r\n") || endsWith(text, "\r\n\r\nDRAW!\r\n"))
        << "last bytes: " << text.substr(text.size() > 40 ? text.size() - 40 : 0);
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\n') {
            ASSERT_TRUE(k > 0 && text[k - 1] == '\r') << "bare LF at " << k;
        }
        if (text[k] == '\r') {
            ASSERT_TRUE(k + 1 < text.size() && text[k + 1] == '\n') << "bare CR at " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Program, WholeGame,
                         ::testing::Values(FinalInput{"CarriageReturn", "\r"},
                                           FinalInput{"CarriageReturnLineFeed", "\r\n"},
                                           FinalInput{"LineFeed", "\n"},
                                           FinalInput{"Byte26", "\x1a"},
                                           FinalInput{"EndOfInput", ""}),
                         [](const ::testing::TestParamInfo<FinalInput>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
