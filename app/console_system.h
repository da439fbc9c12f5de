// What the console needs of the system it runs on; console_posix.cpp and console_windows.cpp
// each give it, and console.cpp builds the lines and the final wait on it.
#pragma once

// Reads one byte of standard input; false at the end of input. A failed read ends the
// program with a non-zero status.
bool readByte(char& c);

// Tells whether a byte of standard input can be read at once, without waiting.
bool inputWaiting();
