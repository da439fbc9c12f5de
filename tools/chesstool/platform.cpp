#include "tools/chesstool/platform.h"

#include <unistd.h>

// The standard streams of this system carry bytes unchanged, and its terminals take a frame
// in any number of pieces.
void setUpStandardStreams() {}

bool syncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool renameOver(const char* from, const char* to) { return std::rename(from, to) == 0; }

bool toLocalTime(std::time_t time, std::tm& local) { return localtime_r(&time, &local) != nullptr; }
