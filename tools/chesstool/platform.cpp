#include "tools/chesstool/platform.h"

#include <time.h>

// The standard streams of this system carry bytes unchanged, and its terminals take a frame
// in any number of pieces.
void setUpStandardStreams() {}

bool toLocalTime(std::time_t time, std::tm& local) { return localtime_r(&time, &local) != nullptr; }
