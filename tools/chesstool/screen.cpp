#include "tools/chesstool/screen.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "tools/chesstool/terminal.h"

namespace {

constexpr const char* CURSOR_HOME = "\x1b[H";
constexpr const char* ERASE_LINE_END = "\x1b[K";
constexpr const char* ERASE_BELOW = "\x1b[J";
constexpr const char* PLAIN = "\x1b[0m";
constexpr char ESCAPE = '\x1b';
constexpr int UNKNOWN_WIDTH = 80;
constexpr unsigned char UTF8_CONTINUATION_MASK = 0xC0;
constexpr unsigned char UTF8_CONTINUATION = 0x80;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & UTF8_CONTINUATION_MASK) == UTF8_CONTINUATION;
}

// Returns the index just past the escape sequence that starts at k: ESC [ ... letter.
size_t escapeEnd(const std::string& text, size_t k) {
    size_t end = k + 1;
    if (end < text.size() && text[end] == '[') ++end;
    while (end < text.size() && !std::isalpha(static_cast<unsigned char>(text[end]))) ++end;
    return end < text.size() ? end + 1 : end;
}

}  // namespace

void writeText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int visibleWidth(const std::string& text) {
    int width = 0;
    for (size_t k = 0; k < text.size();) {
        if (text[k] == ESCAPE) {
            k = escapeEnd(text, k);
            continue;
        }
        width += !isContinuationByte(text[k]);
        ++k;
    }
    return width;
}

std::string cutToWidth(const std::string& text, int columns) {
    if (visibleWidth(text) <= columns) return text;
    std::string cut;
    bool escaped = false;
    int width = 0;
    for (size_t k = 0; k < text.size();) {
        if (text[k] == ESCAPE) {
            const size_t end = escapeEnd(text, k);
            cut += text.substr(k, end - k);
            escaped = true;
            k = end;
        } else if (isContinuationByte(text[k]) || width < columns) {
            width += !isContinuationByte(text[k]);
            cut += text[k++];
        } else {
            break;
        }
    }
    return escaped ? cut + PLAIN : cut;
}

std::vector<std::string> wrapText(const std::string& text, int columns) {
    std::vector<std::string> lines(1);
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find(' ', begin);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(begin, end - begin);
        std::string& line = lines.back();
        if (!line.empty() && visibleWidth(line) + 1 + visibleWidth(word) > columns) {
            lines.push_back(word);
        } else {
            line += (line.empty() ? "" : " ") + word;
        }
        begin = end + 1;
    }
    for (std::string& line : lines) line = cutToWidth(line, columns);
    return lines;
}

std::vector<std::string> wrapToTerminal(const std::string& text) {
    int columns = UNKNOWN_WIDTH;
    int rows = 0;
    terminalSize(columns, rows);
    return wrapText(text, columns);
}

void redrawLines(std::vector<std::string> lines) {
    int columns = 0;
    int rows = 0;
    if (terminalSize(columns, rows)) {
        if (lines.size() > static_cast<size_t>(rows))
            lines.erase(lines.begin(), lines.end() - rows);
        for (std::string& line : lines) line = cutToWidth(line, columns);
    }
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
