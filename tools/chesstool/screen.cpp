#include "tools/chesstool/screen.h"

#include <cstdio>
#include <cstdlib>

#include "tools/chesstool/terminal.h"

namespace {

constexpr const char* CURSOR_HOME = "\x1b[H";
constexpr const char* ERASE_LINE_END = "\x1b[K";
constexpr const char* ERASE_BELOW = "\x1b[J";

}  // namespace

void writeText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void redrawLines(const std::vector<std::string>& lines) {
    // No line end after the last line, which would scroll a terminal of the view's height.
    std::string text = CURSOR_HOME;
    for (size_t k = 0; k < lines.size(); ++k) {
        text += (k > 0 ? "\n" : "") + lines[k] + ERASE_LINE_END;
    }
    writeText(text + ERASE_BELOW);
}

void printLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::string line : lines) {
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    writeText(text);
}

bool terminalTooSmall(const char* command, int columns, int rows) {
    int haveColumns = 0;
    int haveRows = 0;
    if (!terminalSize(haveColumns, haveRows)) return false;
    if (haveRows >= rows && haveColumns >= columns) return false;
    std::fprintf(stderr,
                 "chesstool %s: the terminal is %dx%d, the view needs %dx%d; "
                 "printing each position in turn\n",
                 command, haveColumns, haveRows, columns, rows);
    return true;
}

bool noColourAsked() {
    const char* value = std::getenv("NO_COLOR");
    return value != nullptr && value[0] != '\0';
}
