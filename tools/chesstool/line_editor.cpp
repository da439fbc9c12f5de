#include "tools/chesstool/line_editor.h"

#include "tools/chesstool/screen.h"
#include "tools/chesstool/terminal.h"

namespace {

constexpr int KEY_BACKSPACE = 127;
constexpr int KEY_ERASE = 8;        // Ctrl-H
constexpr int KEY_ERASE_LINE = 21;  // Ctrl-U
constexpr int KEY_ERASE_WORD = 23;  // Ctrl-W
constexpr int KEY_SUSPEND = 26;     // Ctrl-Z
constexpr char FIRST_TYPED = ' ';
constexpr char LAST_TYPED = '~';
constexpr const char* ERASE_ONE = "\b \b";

// Erases the last count characters of the line and of its echo.
void eraseLast(std::string& line, size_t count) {
    std::string echo;
    for (size_t k = 0; k < count; ++k) echo += ERASE_ONE;
    line.erase(line.size() - count);
    writeText(echo);
}

// Counts the characters Ctrl-W erases: the spaces at the end, then the word before them.
size_t lastWordLength(const std::string& line) {
    size_t end = line.size();
    while (end > 0 && line[end - 1] == ' ') --end;
    while (end > 0 && line[end - 1] != ' ') --end;
    return line.size() - end;
}

}  // namespace

bool editLine(std::string& line, const std::function<void(const std::string&)>& redraw,
              const std::function<bool(const std::string&)>& tick, double tickSeconds) {
    line.clear();
    for (;;) {
        const KeyRead read = readKeyOrTimeout(tickSeconds);
        if (read.timedOut) {
            if (!tick(line)) return false;
            continue;
        }
        const int key = read.key;
        if (key == NO_KEY || key == KEY_INTERRUPT || (key == KEY_END_OF_INPUT && line.empty())) {
            return false;
        }
        if (isEnterKey(key)) return true;
        if (key == KEY_SUSPEND) {
            suspendProcess();
            redraw(line);
        } else if ((key == KEY_BACKSPACE || key == KEY_ERASE) && !line.empty()) {
            eraseLast(line, 1);
        } else if (key == KEY_ERASE_LINE) {
            eraseLast(line, line.size());
        } else if (key == KEY_ERASE_WORD) {
            eraseLast(line, lastWordLength(line));
        } else if (key >= FIRST_TYPED && key <= LAST_TYPED && line.size() < MAX_LINE_LENGTH) {
            line += static_cast<char>(key);
            writeText(line.substr(line.size() - 1));
        }
    }
}
