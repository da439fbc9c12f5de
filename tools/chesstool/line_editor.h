// A line typed on the terminal key by key, as a shell reads one: printable characters are
// echoed, Backspace and Ctrl-H erase one, Ctrl-W erases a word and Ctrl-U the whole line,
// Ctrl-Z gives the terminal back until the shell resumes the process, and Enter ends it.
#pragma once

#include <functional>
#include <string>

// The longest line kept; keys beyond it are dropped.
constexpr size_t MAX_LINE_LENGTH = 60;

constexpr int KEY_INTERRUPT = 3;     // Ctrl-C, read as a key
constexpr int KEY_END_OF_INPUT = 4;  // Ctrl-D
constexpr int KEY_ENTER = '\n';
constexpr int KEY_RETURN = '\r';

// Tells whether the key ends a line: Enter, which a terminal sends as CR or LF.
inline bool isEnterKey(int key) { return key == KEY_ENTER || key == KEY_RETURN; }

// Reads keys into line, echoing them at the cursor, until Enter (true) or a way out: Ctrl-C,
// Ctrl-D on an empty line, the end of input, or tick giving up (false). redraw draws the
// screen again with the line so far after the process was stopped and resumed; tick is
// called with it whenever tickSeconds pass without a key (never when tickSeconds is
// negative) and returns false to give up.
bool editLine(std::string& line, const std::function<void(const std::string&)>& redraw,
              const std::function<bool(const std::string&)>& tick, double tickSeconds);
