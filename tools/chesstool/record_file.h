// The record file of games against the engine: the games it held before, kept as they were,
// and the game being played written after them, the whole file replaced at once so that a
// reader never finds it half written.
//
// Only a regular file the person may write is ever replaced. A symbolic link is followed and
// its target replaced in the target's own folder; a link to nothing, a folder, a device, a
// FIFO or anything else that is not a regular file is refused, and so is a file or a folder
// that has no write permission for anyone, also when the process runs as root, which the
// system would let through. A file of more than MAX_RECORD_SIZE is refused, not read.
#pragma once

#include <cstddef>
#include <string>

// The largest record file read: a record of games is far smaller.
constexpr size_t MAX_RECORD_SIZE = size_t{64} << 20;

struct RecordFile {
    std::string path;       // the regular file written: the target of a link, followed
    std::string keptGames;  // what the file held before this game, ending in an empty line
};

// Reads the whole text of a record file; false with the reason when it cannot be read.
bool readRecordText(const std::string& path, std::string& text, std::string& error);

// Reads the games the file at path holds, if it exists, and makes sure it can be replaced
// (writing it anew, or creating it empty); false with the reason, one line, when it cannot,
// nothing on disk then changed.
bool openRecordFile(RecordFile& file, const std::string& path, std::string& error);

// Writes the kept games and then gameText as the file's whole new text; false with the
// reason when that fails, the file then holding what it held before.
bool saveRecordFile(const RecordFile& file, const std::string& gameText, std::string& error);
