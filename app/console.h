// Unbuffered console output and the final wait for Enter.
#pragma once

// The file descriptor the program writes to; tests point it at a file of their own.
extern int consoleOutput;

// Writes one byte at once; a failed write ends the program with a non-zero status.
void writeChar(char c);

// Writes the text followed by carriage return and line feed.
void writeLine(const char* text);

// Ends the current line with carriage return and line feed.
void endLine();

// Consumes standard input up to the end of the first line (CR with an optional LF,
// a lone LF, byte 26 or the end of input); a failed read ends the program.
void waitForEnter();
