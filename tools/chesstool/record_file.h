// The record file of games against the engine: the games it held before, kept as they were,
// and the game being played written after them, the whole file replaced at once so that a
// reader never finds it half written.
#pragma once

#include <string>

struct RecordFile {
    std::string path;
    std::string keptGames;  // what the file held before this game, ending in an empty line
};

// Reads the whole text of a record file; false with the reason when it cannot be read.
bool readRecordText(const std::string& path, std::string& text, std::string& error);

// Reads the games the file holds, if it exists, and makes sure it can be written; false with
// the reason when it cannot.
bool openRecordFile(RecordFile& file, const std::string& path, std::string& error);

// Writes the kept games and then gameText as the file's whole new text; false with the
// reason when that fails, the file then holding what it held before.
bool saveRecordFile(const RecordFile& file, const std::string& gameText, std::string& error);

// Writes the text to a new file beside the path and renames it over the path, so the path
// holds either the old text or the new; false with the reason when that fails.
bool replaceFile(const std::string& path, const std::string& text, std::string& error);
