// The game program as a user runs it: the whole recorded game byte for byte, the final
// wait for Enter, and failing console input and output.
#include <fcntl.h>

#include "tests/test_util.h"

namespace {
TEST(Program, PrintsTheRecordedGame) {
    const std::string expected = test::readTestData("game_transcript.txt");
    ASSERT_FALSE(expected.empty());
    const test::ToolRun run = test::runProgram(CHESS_BINARY, {}, "\r\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out == expected) << "the output differs from the transcript; it begins\n"
                                     << run.out.substr(0, 260);
}

TEST(Program, FailedWriteEndsTheRunAtOnce) {
    EXPECT_GT(test::runProgram(CHESS_BINARY, {}, "", "/dev/full").status, 0);
}

// Runs waitForEnter with standard input read from the given bytes; returns what it left.
std::string unreadAfterWaiting(const std::string& input) {
    std::FILE* file = std::tmpfile();
    std::fputs(input.c_str(), file);
    std::rewind(file);
    const int savedInput = dup(STDIN_FILENO);
    dup2(fileno(file), STDIN_FILENO);
    waitForEnter();
    std::string rest;
    for (char c; read(STDIN_FILENO, &c, 1) == 1;) rest += c;
    dup2(savedInput, STDIN_FILENO);
    close(savedInput);
    std::fclose(file);
    return rest;
}

TEST(FinalWait, EndsAtTheFirstLineEnd) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"\r\nnext", "next"}, {"\nnext", "next"}, {"\x1a" "next", "next"},
        {"typed\r\nnext\r\n", "next\r\n"}, {"\r\n\r\n", "\r\n"}, {"\r", ""}, {"", ""},
        {"no line end", ""}};
    // clang-format on
    for (const auto& [input, rest] : cases) EXPECT_EQ(unreadAfterWaiting(input), rest) << input;
}

bool failedAtOnce(int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }

TEST(ConsoleDeathTest, FailedReadOrWriteEndsTheRun) {
    // Reading a directory fails, and so does writing to a full device.
    EXPECT_EXIT(
        (dup2(open("/", O_RDONLY | O_DIRECTORY), STDIN_FILENO), waitForEnter(), std::exit(0)),
        failedAtOnce, "");
    EXPECT_EXIT((consoleOutput = open("/dev/full", O_WRONLY), writeChar('x'), std::exit(0)),
                failedAtOnce, "");
}
}  // namespace
