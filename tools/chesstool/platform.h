// The calls of the tool, outside its terminal, whose form differs between systems: the mode
// of the standard streams and the writing of the record file.
#pragma once

#include <cstdio>
#include <ctime>

// Makes standard input and output carry bytes unchanged, where the system's text streams
// would turn a line end into carriage return and line feed, and gives output to a console a
// buffer that holds a whole frame; called once at the start.
void setUpStandardStreams();

// Writes what the system still holds of the open file to its disk; false with errno set
// when that fails.
bool syncFile(std::FILE* file);

// Renames the file over the target, which may exist, in one step; false with errno set when
// that fails.
bool renameOver(const char* from, const char* to);

// Converts the time to the local calendar; false when it cannot.
bool toLocalTime(std::time_t time, std::tm& local);
