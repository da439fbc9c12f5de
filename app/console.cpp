#include "app/console.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

int consoleOutput = STDOUT_FILENO;

namespace {

constexpr char CARRIAGE_RETURN = '\r';
constexpr char LINE_FEED = '\n';
constexpr char END_OF_FILE_MARK = 26;  // Ctrl-Z

[[noreturn]] void fail() { std::_Exit(EXIT_FAILURE); }

// Reads one byte; returns false at the end of input.
bool readByte(char& c) {
    for (;;) {
        const ssize_t n = read(STDIN_FILENO, &c, 1);
        if (n == 1) return true;
        if (n == 0) return false;
        if (errno != EINTR) fail();
    }
}

bool inputWaiting() {
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    return poll(&fd, 1, 0) == 1 && (fd.revents & (POLLIN | POLLHUP));
}

}  // namespace

void writeChar(char c) {
    for (;;) {
        const ssize_t n = write(consoleOutput, &c, 1);
        if (n == 1) return;
        if (n < 0 && errno == EINTR) continue;
        fail();
    }
}

void writeLine(const char* text) {
    while (*text != '\0') writeChar(*text++);
    endLine();
}

void endLine() {
    writeChar(CARRIAGE_RETURN);
    writeChar(LINE_FEED);
}

void waitForEnter() {
    char c = 0;
    while (readByte(c)) {
        if (c == LINE_FEED || c == END_OF_FILE_MARK) return;
        if (c == CARRIAGE_RETURN) {
            // Take the line feed of a CR LF pair, but never wait for one.
            if (inputWaiting()) readByte(c);
            return;
        }
    }
}
