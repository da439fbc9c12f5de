#include "tools/chesstool/pgn_writer.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "tools/chesstool/platform.h"

namespace {

constexpr size_t DATE_LENGTH = sizeof "YYYY.MM.DD";
constexpr size_t CLOCK_TIME_SIZE = 32;
constexpr int64_t MILLISECONDS_PER_SECOND = 1000;
constexpr int64_t SECONDS_PER_MINUTE = 60;
constexpr int64_t SECONDS_PER_HOUR = 3600;

// Appends the space-separated words of the text.
void appendWords(std::vector<std::string>& words, const std::string& text) {
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find(' ', begin);
        if (end == std::string::npos) end = text.size();
        words.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
}

// Writes milliseconds as a clock comment's time, h:mm:ss, the seconds rounded down.
std::string clockCommentTime(int64_t milliseconds) {
    const int64_t seconds = std::max<int64_t>(milliseconds, 0) / MILLISECONDS_PER_SECOND;
    char text[CLOCK_TIME_SIZE];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld",
                  static_cast<long long>(seconds / SECONDS_PER_HOUR),
                  static_cast<long long>(seconds / SECONDS_PER_MINUTE % SECONDS_PER_MINUTE),
                  static_cast<long long>(seconds % SECONDS_PER_MINUTE));
    return text;
}

// Splits the movetext into the words that line breaks may fall between; in a timed game each
// move is followed by the mover's clock, as {[%clk 0:04:59]}.
std::vector<std::string> movetextWords(const GameRecord& record) {
    std::vector<std::string> words;
    size_t move = 0;
    for (const std::string& word : numberedMoveWords(record, 0)) {
        words.push_back(word);
        if (word.back() == '.' || move >= record.clockAfter.size()) continue;
        words.push_back("{[%clk");
        words.push_back(clockCommentTime(record.clockAfter[move++]) + "]}");
    }
    if (gameEnded(record)) {
        // The last move's clock and the reason share one comment: some readers take only
        // one comment after a move.
        const bool clockLast = !words.empty() && words.back().back() == '}';
        if (clockLast) words.back().pop_back();
        appendWords(words, std::string(clockLast ? "" : "{") + reasonText(record) + "}");
    }
    words.push_back(resultText(record));
    return words;
}

// Joins the words into lines of at most PGN_LINE_LIMIT characters.
std::string wrapWords(const std::vector<std::string>& words) {
    std::string text;
    size_t lineLength = 0;
    for (const std::string& word : words) {
        if (lineLength > 0 && lineLength + 1 + word.size() > PGN_LINE_LIMIT) {
            text += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            text += ' ';
            ++lineLength;
        }
        text += word;
        lineLength += word.size();
    }
    return text + '\n';
}

std::string todayInPgnForm() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[DATE_LENGTH] = "????.??.??";
    if (toLocalTime(now, local)) std::strftime(date, sizeof date, "%Y.%m.%d", &local);
    return date;
}

std::string tag(const char* name, const std::string& value) {
    return std::string("[") + name + " \"" + value + "\"]\n";
}

}  // namespace

std::string pgnText(const GameRecord& record, const PgnNames& names) {
    std::string text = tag("Event", names.event) + tag("Site", "?") +
                       tag("Date", todayInPgnForm()) + tag("Round", "-") +
                       tag("White", names.white) + tag("Black", names.black) +
                       tag("Result", resultText(record));
    if (!record.startFen.empty()) text += tag("SetUp", "1") + tag("FEN", record.startFen);
    if (!record.timeControl.empty()) text += tag("TimeControl", record.timeControl);
    return text + "\n" + wrapWords(movetextWords(record)) + "\n";
}
