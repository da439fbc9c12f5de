// Words of input: whole and decimal numbers read from them, and bad ones quoted in
// messages so that a message stays one short line whatever the input held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A word is quoted in messages up to this many characters.
constexpr size_t MAX_QUOTED_LENGTH = 24;

// Reads a whole number written in decimal digits, with '-' before a negative one, from
// least to most; false for anything else, value then left as it was.
bool parseWholeNumber(std::string_view text, int64_t least, int64_t most, int64_t& value);

// Reads a whole number as above into an int.
inline bool parseWholeNumber(std::string_view text, int least, int most, int& value) {
    int64_t wide = 0;
    if (!parseWholeNumber(text, int64_t{least}, int64_t{most}, wide)) return false;
    value = static_cast<int>(wide);
    return true;
}

// Reads a number of decimal digits with an optional fraction ("3", "0.25", ".5"), from
// least to most; false for anything else (a sign, an exponent, inf, nan), value then left
// as it was.
bool parseDecimal(std::string_view text, double least, double most, double& value);

// Quotes a word of input for a message: in single quotes, cut after MAX_QUOTED_LENGTH
// characters and marked "...", every byte but printable ASCII shown as '?'.
std::string quotedWord(std::string_view text);
