#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "tools/chesstool/platform.h"

namespace {

// Holds a frame of the views many times over.
constexpr size_t CONSOLE_OUTPUT_BUFFER_BYTES = 64 * 1024;

// Gives errno the nearest meaning of the system's last error.
void setErrnoFromLastError() {
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            errno = EACCES;
            break;
        case ERROR_DISK_FULL:
            errno = ENOSPC;
            break;
        default:
            errno = EIO;
            break;
    }
}

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

bool syncFile(std::FILE* file) { return _commit(_fileno(file)) == 0; }

// The C library's rename refuses a target that exists; the system's move replaces it.
bool renameOver(const char* from, const char* to) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    setErrnoFromLastError();
    return false;
}

bool toLocalTime(std::time_t time, std::tm& local) { return localtime_s(&local, &time) == 0; }
