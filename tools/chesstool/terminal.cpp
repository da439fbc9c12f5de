#include "tools/chesstool/terminal.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

constexpr int SIGNALS_THAT_END[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr double MILLISECONDS_PER_SECOND = 1000.0;
constexpr int WAIT_FOREVER = -1;

// Read by signal handlers, so kept as plain values.
struct termios savedMode;
struct termios keyMode;
bool readingKeys = false;
volatile std::sig_atomic_t taken = 0;
const char* restoreTextOnExit = "";

void writeAll(const char* text) {
    size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = write(STDOUT_FILENO, text, left);
        if (written <= 0) return;
        text += written;
        left -= static_cast<size_t>(written);
    }
}

void handleEndingSignal(int signalNumber) {
    restoreTerminal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// Gives the terminal back while the process is stopped and takes it again when it goes on.
void handleStop(int) {
    if (taken == 0) {
        kill(getpid(), SIGSTOP);
        return;
    }
    restoreTerminal();
    kill(getpid(), SIGSTOP);
    if (readingKeys) tcsetattr(STDIN_FILENO, TCSAFLUSH, &keyMode);
    taken = 1;
}

void installHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, nullptr);
}

}  // namespace

bool isTerminal(StandardStream stream) {
    switch (stream) {
        case StandardStream::STANDARD_INPUT:
            return isatty(STDIN_FILENO) != 0;
        case StandardStream::STANDARD_OUTPUT:
            return isatty(STDOUT_FILENO) != 0;
        case StandardStream::STANDARD_ERROR:
            break;
    }
    return isatty(STDERR_FILENO) != 0;
}

bool terminalSize(int& columns, int& rows) {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0) return false;
    columns = size.ws_col;
    rows = size.ws_row;
    return true;
}

bool takeTerminal(const char* restoreText, bool keys, bool signalKeys) {
    readingKeys = keys && isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &savedMode) == 0;
    restoreTextOnExit = restoreText;
    for (int signalNumber : SIGNALS_THAT_END) installHandler(signalNumber, handleEndingSignal);
    installHandler(SIGTSTP, handleStop);
    if (readingKeys) {
        keyMode = savedMode;
        keyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | (signalKeys ? ISIG : 0));
        keyMode.c_cc[VMIN] = 1;
        keyMode.c_cc[VTIME] = 0;
        readingKeys = tcsetattr(STDIN_FILENO, TCSAFLUSH, &keyMode) == 0;
    }
    taken = 1;
    return readingKeys;
}

void restoreTerminal() {
    if (taken == 0) return;
    taken = 0;
    if (readingKeys) tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
    writeAll(restoreTextOnExit);
}

KeyRead readKeyOrTimeout(double seconds) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int timeout =
        seconds < 0 ? WAIT_FOREVER : static_cast<int>(seconds * MILLISECONDS_PER_SECOND);
    const int ready = poll(&input, 1, timeout);
    if (ready == 0) return {NO_KEY, true};
    if (ready < 0) return {NO_KEY, errno == EINTR};
    unsigned char key = 0;
    if (read(STDIN_FILENO, &key, 1) != 1) return {NO_KEY, false};
    return {key, false};
}

int readKey(double seconds) { return readKeyOrTimeout(seconds).key; }

void suspendProcess() { std::raise(SIGTSTP); }
