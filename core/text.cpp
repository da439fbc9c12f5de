#include "core/text.h"

#include <charconv>

namespace {
constexpr char FIRST_PRINTABLE = ' ';
constexpr char LAST_PRINTABLE = '~';
constexpr const char* CUT_MARK = "...";
}  // namespace

bool parseWholeNumber(std::string_view text, int64_t least, int64_t most, int64_t& value) {
    const char* end = text.data() + text.size();
    int64_t read = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    if (error != std::errc() || stop != end || read < least || read > most) return false;
    if (text[0] == '-' && read == 0) return false;  // "-0" is no way to write a number
    value = read;
    return true;
}

bool parseDecimal(std::string_view text, double least, double most, double& value) {
    const char* end = text.data() + text.size();
    if (text.empty() || text[0] == '-') return false;
    double read = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, read, std::chars_format::fixed);
    // A NaN fails both comparisons.
    if (error != std::errc() || stop != end || !(read >= least && read <= most)) return false;
    value = read;
    return true;
}

std::string quotedWord(std::string_view text) {
    std::string q = "'";
    for (char c : text.substr(0, MAX_QUOTED_LENGTH)) {
        q += c >= FIRST_PRINTABLE && c <= LAST_PRINTABLE ? c : '?';
    }
    if (text.size() > MAX_QUOTED_LENGTH) q += CUT_MARK;
    return q + "'";
}
