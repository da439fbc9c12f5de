// Text on the terminal, the same on every system: frames redrawn in place with the escape
// sequences of a video terminal, plain lines when the output is a file or a pipe, and the
// checks of size and colour that decide between them.
#pragma once

#include <string>
#include <vector>

constexpr const char* HIDE_CURSOR = "\x1b[?25l";
constexpr const char* CLEAR_SCREEN = "\x1b[H\x1b[2J";
// Also clears the key line, where the cursor stands after a redraw.
constexpr const char* RESTORE_SCREEN = "\x1b[0m\x1b[?25h\r\x1b[K";

// Writes the text at once, so a frame never shows half drawn.
void writeText(const std::string& text);

// Counts the columns the text takes on a terminal: a character each, escape sequences none.
int visibleWidth(const std::string& text);

// Cuts the text to the given number of columns, ending any colour it started.
std::string cutToWidth(const std::string& text, int columns);

// Breaks the text into lines of at most the given number of columns, between words where
// it can.
std::vector<std::string> wrapText(const std::string& text, int columns);

// Breaks the text into lines that fit the terminal's width (80 columns when it is unknown).
std::vector<std::string> wrapToTerminal(const std::string& text);

// Redraws the lines in place from the top of the terminal, each cut to the terminal's width
// and, when there are more than its rows, the first ones left out, so nothing scrolls; the
// cursor stays at the end of the last line.
void redrawLines(std::vector<std::string> lines);

// Prints the lines once as plain text, without the spaces at their ends.
void printLines(const std::vector<std::string>& lines);

// Tells whether standard output is a terminal smaller than columns x rows, saying so on
// standard error; a terminal whose size is unknown is taken to fit.
bool terminalTooSmall(const char* command, int columns, int rows);

// Tells whether NO_COLOR is set to something, which turns colour off.
bool noColourAsked();
