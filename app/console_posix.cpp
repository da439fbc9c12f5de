// The console on POSIX systems: every byte goes straight to the file descriptor, and the
// final wait reads standard input byte by byte.
#include "app/console.h"
#include "app/console_system.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

int consoleOutput = STDOUT_FILENO;

namespace {

[[noreturn]] void fail() { std::_Exit(EXIT_FAILURE); }

}  // namespace

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

void writeChar(char c) {
    for (;;) {
        const ssize_t n = write(consoleOutput, &c, 1);
        if (n == 1) return;
        if (n < 0 && errno == EINTR) continue;
        fail();
    }
}
