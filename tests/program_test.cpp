// The program entry: its first output, the final wait for Enter, and failing console I/O.
// Whole games are in the slow tests.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/console.h"
#include "tests/test_util.h"

namespace {

bool failedAtOnce(int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }

TEST(Program, FirstOutputIsTheStartingPicture) {
    int pipeFds[2];
    ASSERT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(input, 0);
    const pid_t pid = test::spawnProgram(input, pipeFds[1]);
    close(input);
    close(pipeFds[1]);
    ASSERT_GT(pid, 0);

    const std::string expected = test::startPicture();
    std::string output;
    char buffer[256];
    while (output.size() < expected.size()) {
        const ssize_t n = read(pipeFds[0], buffer, expected.size() - output.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        output.append(buffer, static_cast<size_t>(n));
    }
    // The rest of the game is not this test's business.
    kill(pid, SIGKILL);
    test::waitForProgram(pid);
    close(pipeFds[0]);
    EXPECT_EQ(output, expected);
}

TEST(Program, FailedWriteEndsTheRunAtOnce) {
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int output = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(input, 0);
    ASSERT_GE(output, 0);
    const pid_t pid = test::spawnProgram(input, output);
    close(input);
    close(output);
    ASSERT_GT(pid, 0);
    const int status = test::waitForProgram(pid);
    EXPECT_TRUE(failedAtOnce(status)) << "wait status " << status;
}

// Runs waitForEnter with standard input read from a file holding the given bytes and
// returns what it left unread.
std::string unreadAfterWaiting(const std::string& input) {
    test::TempFile file(input);
    if (!file.ok()) return "(no temporary file)";
    const int savedInput = dup(STDIN_FILENO);
    dup2(file.fd(), STDIN_FILENO);
    waitForEnter();
    std::string rest;
    char c;
    while (read(STDIN_FILENO, &c, 1) == 1) rest += c;
    dup2(savedInput, STDIN_FILENO);
    close(savedInput);
    return rest;
}

TEST(FinalWait, EndsAtTheFirstLineEnd) {
    EXPECT_EQ(unreadAfterWaiting("\r\nnext"), "next") << "CR LF";
    EXPECT_EQ(unreadAfterWaiting("\nnext"), "next") << "a lone LF";
    EXPECT_EQ(unreadAfterWaiting("\x1a"
                                 "next"),
              "next")
        << "byte 26";
    EXPECT_EQ(unreadAfterWaiting("typed\r\nnext\r\n"), "next\r\n");
    EXPECT_EQ(unreadAfterWaiting("\r\n\r\n"), "\r\n") << "only the first line";
    EXPECT_EQ(unreadAfterWaiting("\r"), "");
    EXPECT_EQ(unreadAfterWaiting(""), "") << "end of input";
    EXPECT_EQ(unreadAfterWaiting("no line end"), "");
}

TEST(FinalWaitDeathTest, FailedReadEndsTheRun) {
    EXPECT_EXIT(
        {
            const int directory = open("/", O_RDONLY | O_DIRECTORY);
            dup2(directory, STDIN_FILENO);  // reading a directory fails
            waitForEnter();
            std::exit(0);
        },
        failedAtOnce, "");
}

TEST(ConsoleDeathTest, FailedWriteEndsTheRun) {
    EXPECT_EXIT(
        {
            consoleOutput = open("/dev/full", O_WRONLY);
            writeChar('x');
            std::exit(0);
        },
        failedAtOnce, "");
}

}  // namespace
