// The console on Windows. Bytes go to and come from the system's handles of the standard
// streams, past the C library's text mode: standard output stays binary, so a line end leaves
// as carriage return and line feed, and every byte is written to the system at once.
#include <io.h>
#include <windows.h>

#include <cstdlib>

#include "app/console.h"
#include "app/console_system.h"

constexpr int STANDARD_OUTPUT_DESCRIPTOR = 1;

int consoleOutput = STANDARD_OUTPUT_DESCRIPTOR;

namespace {

[[noreturn]] void fail() { std::_Exit(EXIT_FAILURE); }

HANDLE standardInput() { return GetStdHandle(STD_INPUT_HANDLE); }

}  // namespace

// Reads one byte; returns false at the end of input, a pipe's closed end included.
bool readByte(char& c) {
    DWORD read = 0;
    if (ReadFile(standardInput(), &c, 1, &read, nullptr) != 0) return read == 1;
    const DWORD error = GetLastError();
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return false;
    fail();
}

// Tells whether a read would return at once. A console that reads whole lines hands over
// the line feed it puts after the carriage return of Enter; a pipe may still be empty.
bool inputWaiting() {
    const HANDLE input = standardInput();
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode) != 0) return (mode & ENABLE_LINE_INPUT) != 0;
    if (GetFileType(input) != FILE_TYPE_PIPE) return true;
    // A pipe that cannot be looked into, or whose other end has closed, has nothing to take.
    DWORD available = 0;
    return PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) != 0 && available > 0;
}

void writeChar(char c) {
    const HANDLE output = reinterpret_cast<HANDLE>(_get_osfhandle(consoleOutput));
    DWORD written = 0;
    if (WriteFile(output, &c, 1, &written, nullptr) == 0 || written != 1) fail();
}
