// Slow tests: whole games of the built program.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/test_util.h"

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

void PrintTo(const FinalInput& input, std::ostream* out) { *out << input.name; }

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
