#include "app/console.h"

#include "app/console_system.h"

namespace {

constexpr char CARRIAGE_RETURN = '\r';
constexpr char LINE_FEED = '\n';
constexpr char END_OF_FILE_MARK = 26;  // Ctrl-Z

}  // namespace

void writeLine(const char* text) {
    while (*text != '\0') writeChar(*text++);
    endLine();
}

void endLine() {
    writeChar(CARRIAGE_RETURN);
    writeChar(LINE_FEED);
}

void waitForEnter() {
    char c = 0;
    while (readByte(c)) {
        if (c == LINE_FEED || c == END_OF_FILE_MARK) return;
        if (c == CARRIAGE_RETURN) {
            // Take the line feed of a CR LF pair, but never wait for one.
            if (inputWaiting()) readByte(c);
            return;
        }
    }
}
