#include "tools/chesstool/pgn_reader.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr const char* RESULTS[] = {"1-0", "0-1", "1/2-1/2", "*"};
constexpr const char* CLOCK_COMMENT = "[%clk ";
constexpr int64_t MILLISECONDS_PER_SECOND = 1000;
constexpr int64_t SECONDS_PER_MINUTE = 60;

bool isResult(const std::string& word) {
    for (const char* result : RESULTS) {
        if (word == result) return true;
    }
    return false;
}

// Finds where the last game begins: the first tag line of the last run of tag lines.
size_t lastGameBegin(const std::string& text) {
    size_t begin = std::string::npos;
    bool inTags = false;
    for (size_t line = 0; line < text.size();) {
        size_t end = text.find('\n', line);
        if (end == std::string::npos) end = text.size();
        const bool tagLine = text[line] == '[';
        if (tagLine && !inTags) begin = line;
        inTags = tagLine;
        line = end + 1;
    }
    return begin;
}

// Reads a tag line, [Name "value"], into the game.
void readTag(const std::string& line, PgnGame& game) {
    const size_t space = line.find(' ');
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    if (space == std::string::npos || open == std::string::npos || close <= open) return;
    game.tags.emplace_back(line.substr(1, space - 1), line.substr(open + 1, close - open - 1));
}

// Reads the clock of a comment, {[%clk 0:04:59]}, in milliseconds; -1 when it has none.
int64_t commentClock(const std::string& comment) {
    const size_t at = comment.find(CLOCK_COMMENT);
    if (at == std::string::npos) return -1;
    long long hours = 0, minutes = 0;
    double seconds = 0;
    if (std::sscanf(comment.c_str() + at + 6, "%lld:%lld:%lf", &hours, &minutes, &seconds) != 3) {
        return -1;
    }
    return ((hours * SECONDS_PER_MINUTE + minutes) * SECONDS_PER_MINUTE) * MILLISECONDS_PER_SECOND +
           static_cast<int64_t>(seconds * MILLISECONDS_PER_SECOND);
}

// Tells whether the word is a move number, "12." or "12...".
bool isMoveNumber(const std::string& word) {
    return !word.empty() && std::isdigit(static_cast<unsigned char>(word[0])) && word.back() == '.';
}

// Reads the movetext: moves, their clocks and the result.
void readMovetext(const std::string& text, size_t k, PgnGame& game) {
    int depth = 0;  // inside this many variations
    while (k < text.size()) {
        const char c = text[k];
        if (c == '{') {
            const size_t end = text.find('}', k);
            const int64_t clock = commentClock(text.substr(k, end - k));
            if (depth == 0 && clock >= 0 && game.clocks.size() + 1 == game.moves.size()) {
                game.clocks.push_back(clock);
            }
            k = end == std::string::npos ? text.size() : end + 1;
        } else if (c == ';') {
            k = text.find('\n', k);
        } else if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : -1;
            ++k;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++k;
        } else {
            size_t end = k;
            while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
                   text[end] != '{' && text[end] != '(' && text[end] != ')' && text[end] != ';') {
                ++end;
            }
            std::string word = text.substr(k, end - k);
            k = end;
            // "12.e4" is a move number and a move.
            const size_t dots = word.find_last_of('.');
            if (dots != std::string::npos && dots + 1 < word.size() && !isResult(word)) {
                word = word.substr(dots + 1);
            }
            if (depth > 0 || word[0] == '$' || isMoveNumber(word)) continue;
            if (isResult(word)) {
                game.result = word;
                return;
            }
            game.moves.push_back(word);
        }
    }
}

}  // namespace

bool readLastPgnGame(const std::string& text, PgnGame& game) {
    game = PgnGame{};
    game.begin = lastGameBegin(text);
    if (game.begin == std::string::npos) return false;
    size_t k = game.begin;
    while (k < text.size() && text[k] == '[') {
        size_t end = text.find('\n', k);
        if (end == std::string::npos) end = text.size();
        readTag(text.substr(k, end - k), game);
        k = end + 1;
    }
    readMovetext(text, k, game);
    if (game.clocks.size() != game.moves.size()) game.clocks.clear();
    return true;
}

std::string tagValue(const PgnGame& game, const std::string& name) {
    for (const auto& [tagName, value] : game.tags) {
        if (tagName == name) return value;
    }
    return "";
}
