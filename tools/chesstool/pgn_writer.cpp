#include "tools/chesstool/pgn_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "tools/chesstool/platform.h"

namespace {

constexpr size_t DATE_LENGTH = sizeof "YYYY.MM.DD";

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

// Splits the movetext into the words that line breaks may fall between.
std::vector<std::string> movetextWords(const GameRecord& record) {
    std::vector<std::string> words = numberedMoveWords(record, 0);
    if (gameEnded(record)) appendWords(words, std::string("{") + reasonText(record) + "}");
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
    return text + "\n" + wrapWords(movetextWords(record)) + "\n";
}

bool replaceFile(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file != nullptr &&
                   std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                   std::fflush(file) == 0 && syncFile(file);
    if (!written) error = std::strerror(errno);
    if (file != nullptr && std::fclose(file) != 0 && written) {
        error = std::strerror(errno);
        written = false;
    }
    if (written && renameOver(temporary.c_str(), path.c_str())) return true;
    if (written) error = std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
}
