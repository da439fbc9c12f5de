#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tools/chesstool/platform.h"

namespace {

// Holds a frame of the views many times over.
constexpr size_t CONSOLE_OUTPUT_BUFFER_BYTES = 64 * 1024;

}  // namespace

void setUpStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    // Unbuffered, the C library hands a console a frame in pieces that may split a character's
    // UTF-8 bytes; buffered, each flush is one write. Every command flushes what must show.
    DWORD mode = 0;
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0) {
        std::setvbuf(stdout, nullptr, _IOFBF, CONSOLE_OUTPUT_BUFFER_BYTES);
    }
}

bool toLocalTime(std::time_t time, std::tm& local) { return localtime_s(&local, &time) == 0; }
