// The terminal on Windows: the console, which reads the escape sequences of a video terminal
// once asked to, hands over single keys as input events, and tells of Ctrl-C and of its
// closing through a control handler.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "tools/chesstool/terminal.h"

namespace {

using Clock = std::chrono::steady_clock;

// Between two looks at a pipe that a key may come through.
constexpr DWORD PIPE_POLL_MILLISECONDS = 10;
constexpr DWORD KEY_INPUT_OFF = ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT;
constexpr DWORD VIDEO_TERMINAL_OUTPUT =
    ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;

// Read by the control handler, which runs on a thread of its own.
DWORD savedInputMode = 0;
DWORD savedOutputMode = 0;
UINT savedOutputCodePage = 0;
bool readingKeys = false;
bool outputModeSet = false;
bool exitHandlersInstalled = false;
std::atomic<bool> taken{false};
const char* restoreTextOnExit = "";

HANDLE standardHandle(StandardStream stream) {
    switch (stream) {
        case StandardStream::STANDARD_INPUT:
            return GetStdHandle(STD_INPUT_HANDLE);
        case StandardStream::STANDARD_OUTPUT:
            return GetStdHandle(STD_OUTPUT_HANDLE);
        case StandardStream::STANDARD_ERROR:
            break;
    }
    return GetStdHandle(STD_ERROR_HANDLE);
}

void writeAll(const char* text) {
    const HANDLE output = standardHandle(StandardStream::STANDARD_OUTPUT);
    DWORD left = static_cast<DWORD>(std::strlen(text));
    while (left > 0) {
        DWORD written = 0;
        if (WriteFile(output, text, left, &written, nullptr) == 0 || written == 0) return;
        text += written;
        left -= written;
    }
}

// Tells whether the console's output reads escape sequences, or can be made to: consoles
// older than Windows 10 print them as text.
bool readsEscapes(HANDLE output) {
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode) == 0) return false;
    if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) return true;
    if (SetConsoleMode(output, mode | VIDEO_TERMINAL_OUTPUT) == 0) return false;
    SetConsoleMode(output, mode);
    return true;
}

// Gives the console back on Ctrl-C, Ctrl-Break and its closing, then lets the system end the
// process as it would have.
BOOL WINAPI handleControl(DWORD) {
    restoreTerminal();
    return FALSE;
}

void restoreAtExit() { restoreTerminal(); }

// Milliseconds left until the deadline, or INFINITE without one.
DWORD millisecondsLeft(bool forever, Clock::time_point deadline) {
    if (forever) return INFINITE;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<DWORD>(std::max<decltype(left)>(left, 0));
}

// Waits for a key pressed on the console; other input events (key releases, keys without a
// character, the mouse, a new window size) are passed over.
int readConsoleKey(HANDLE input, bool forever, Clock::time_point deadline) {
    for (;;) {
        if (WaitForSingleObject(input, millisecondsLeft(forever, deadline)) != WAIT_OBJECT_0) {
            return NO_KEY;
        }
        INPUT_RECORD record{};
        DWORD count = 0;
        if (ReadConsoleInputA(input, &record, 1, &count) == 0 || count == 0) return NO_KEY;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        if (record.EventType == KEY_EVENT && key.bKeyDown && key.uChar.AsciiChar != 0) {
            return static_cast<unsigned char>(key.uChar.AsciiChar);
        }
    }
}

// Waits for a byte in the pipe, which cannot be waited on directly; false when none came in
// time or the pipe's other end closed.
bool pipeHasByte(HANDLE input, bool forever, Clock::time_point deadline) {
    for (;;) {
        DWORD available = 0;
        if (PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) == 0) return false;
        if (available > 0) return true;
        const DWORD left = millisecondsLeft(forever, deadline);
        if (left == 0) return false;
        Sleep(std::min(left, PIPE_POLL_MILLISECONDS));
    }
}

}  // namespace

bool isTerminal(StandardStream stream) {
    const HANDLE handle = standardHandle(stream);
    if (stream == StandardStream::STANDARD_OUTPUT) return readsEscapes(handle);
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

bool terminalSize(int& columns, int& rows) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(standardHandle(StandardStream::STANDARD_OUTPUT), &info) == 0) {
        return false;
    }
    columns = info.srWindow.Right - info.srWindow.Left + 1;
    rows = info.srWindow.Bottom - info.srWindow.Top + 1;
    return rows > 0;
}

bool takeTerminal(const char* restoreText, bool keys, bool signalKeys) {
    const HANDLE input = standardHandle(StandardStream::STANDARD_INPUT);
    const HANDLE output = standardHandle(StandardStream::STANDARD_OUTPUT);
    restoreTextOnExit = restoreText;
    if (!exitHandlersInstalled) {
        SetConsoleCtrlHandler(handleControl, TRUE);
        std::atexit(restoreAtExit);
        exitHandlersInstalled = true;
    }
    outputModeSet = GetConsoleMode(output, &savedOutputMode) != 0 &&
                    SetConsoleMode(output, savedOutputMode | VIDEO_TERMINAL_OUTPUT) != 0;
    if (outputModeSet) {
        // The pieces' symbols are written in UTF-8.
        savedOutputCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
    readingKeys = keys && GetConsoleMode(input, &savedInputMode) != 0;
    if (readingKeys) {
        const DWORD keyMode =
            savedInputMode & ~(KEY_INPUT_OFF | (signalKeys ? ENABLE_PROCESSED_INPUT : 0));
        readingKeys = SetConsoleMode(input, keyMode) != 0;
        // Keys pressed before the view came up are dropped, as a terminal's flush drops them.
        if (readingKeys) FlushConsoleInputBuffer(input);
    }
    taken = true;
    return readingKeys;
}

void restoreTerminal() {
    if (!taken.exchange(false)) return;
    if (readingKeys) SetConsoleMode(standardHandle(StandardStream::STANDARD_INPUT), savedInputMode);
    // Written while the console still reads escape sequences.
    writeAll(restoreTextOnExit);
    if (outputModeSet) {
        SetConsoleOutputCP(savedOutputCodePage);
        SetConsoleMode(standardHandle(StandardStream::STANDARD_OUTPUT), savedOutputMode);
    }
}

namespace {

// Reads one key as readKey does, before the deadline.
int readKeyBefore(bool forever, Clock::time_point deadline) {
    const HANDLE input = standardHandle(StandardStream::STANDARD_INPUT);
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode) != 0) return readConsoleKey(input, forever, deadline);
    if (GetFileType(input) == FILE_TYPE_PIPE && !pipeHasByte(input, forever, deadline)) {
        return NO_KEY;
    }
    unsigned char key = 0;
    DWORD read = 0;
    if (ReadFile(input, &key, 1, &read, nullptr) == 0 || read != 1) return NO_KEY;
    return key;
}

}  // namespace

KeyRead readKeyOrTimeout(double seconds) {
    const bool forever = seconds < 0;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(forever ? 0 : seconds));
    const int key = readKeyBefore(forever, deadline);
    // No key and the time is up: it passed; no key before it: the input ended.
    return {key, key == NO_KEY && !forever && Clock::now() >= deadline};
}

int readKey(double seconds) { return readKeyOrTimeout(seconds).key; }

// Windows has no stop of a process that its shell resumes.
void suspendProcess() {}
