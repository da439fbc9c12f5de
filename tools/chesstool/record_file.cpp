#include "tools/chesstool/record_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t READ_CHUNK = 4096;

// Reads the whole file into text; false with the reason when it cannot be read, or when it
// does not exist unless missingIsEmpty.
bool readWholeFile(const std::string& path, std::string& text, std::string& error,
                   bool missingIsEmpty) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        if (errno == ENOENT && missingIsEmpty) return true;
        error = std::strerror(errno);
        return false;
    }
    char buffer[READ_CHUNK];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, read);
    }
    std::fclose(file);
    return true;
}

}  // namespace

bool readRecordText(const std::string& path, std::string& text, std::string& error) {
    return readWholeFile(path, text, error, false);
}

bool openRecordFile(RecordFile& file, const std::string& path, std::string& error) {
    file.path = path;
    std::string& kept = file.keptGames;
    if (!readWholeFile(path, kept, error, true)) return false;
    // The games of an export file are parted by an empty line.
    if (!kept.empty() && kept.back() != '\n') kept += '\n';
    if (kept.size() >= 2 && kept.compare(kept.size() - 2, 2, "\n\n") != 0) kept += '\n';
    return replaceFile(path, kept, error);
}

bool saveRecordFile(const RecordFile& file, const std::string& gameText, std::string& error) {
    return replaceFile(file.path, file.keptGames + gameText, error);
}

bool replaceFile(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file != nullptr &&
                   std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                   std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    if (!written) error = std::strerror(errno);
    if (file != nullptr && std::fclose(file) != 0 && written) {
        error = std::strerror(errno);
        written = false;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    if (written) error = std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
}
