// The calls of the tool, outside its terminal and its record file, whose form differs
// between systems: the mode of the standard streams and the local calendar.
#pragma once

#include <cstdio>
#include <ctime>

// Makes standard input and output carry bytes unchanged, where the system's text streams
// would turn a line end into carriage return and line feed, and gives output to a console a
// buffer that holds a whole frame; called once at the start.
void setUpStandardStreams();

// Converts the time to the local calendar; false when it cannot.
bool toLocalTime(std::time_t time, std::tm& local);
