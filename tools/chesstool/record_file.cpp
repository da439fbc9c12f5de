#include "tools/chesstool/record_file.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#endif

namespace {

constexpr size_t READ_CHUNK = 16384;
constexpr int MIB_SHIFT = 20;

std::string tooLarge() {
    return "it holds more than " + std::to_string(MAX_RECORD_SIZE >> MIB_SHIFT) + " MiB";
}

#ifdef _WIN32
// On Windows only regular files are written, links (reparse points) refused rather than
// followed: the new text goes to a file beside the record, which ReplaceFileW puts in its
// place keeping its attributes and security, or MoveFileExW when the record is new.

std::wstring widePath(const std::string& path) {
    const int length = static_cast<int>(path.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, path.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), length, &wide[0], size);
    // Not every call of the system takes '/' as a separator; '\\' is the system's own.
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

std::string systemError(DWORD code = GetLastError()) {
    return std::system_category().message(static_cast<int>(code));
}

// Finds the regular file that writing path replaces: path itself; false with the reason
// when it is something else or read-only.
bool findTarget(const std::string& path, std::string& target, bool& exists, std::string& error) {
    target = path;
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    if (!exists) {
        error = systemError();
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = "it is a folder";
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        error = "it is a link, which is not followed on Windows";
    } else if (attributes & FILE_ATTRIBUTE_READONLY) {
        error = "it is read-only";
    } else {
        return true;
    }
    return false;
}

// Reads the whole regular file into text, refusing a device and a file too large.
bool readRecord(const std::string& path, std::string& text, std::string& error) {
    const HANDLE file =
        CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = systemError();
        return false;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) {
        error = "it is a device";
    } else if (!GetFileSizeEx(file, &size)) {
        error = systemError();
    } else if (size.QuadPart > static_cast<LONGLONG>(MAX_RECORD_SIZE)) {
        error = tooLarge();
    }
    char buffer[READ_CHUNK];
    DWORD got = 0;
    while (error.empty() && text.size() <= MAX_RECORD_SIZE) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) error = systemError();
        if (got == 0) break;
        text.append(buffer, got);
    }
    CloseHandle(file);
    if (error.empty() && text.size() > MAX_RECORD_SIZE) error = tooLarge();
    return error.empty();
}

bool createFile(const std::string& path, std::string& error) {
    const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && CloseHandle(file)) return true;
    error = systemError();
    return false;
}

// Writes the text to a new file beside the path and puts it in the path's place, so the path
// holds either the old text or the new; the new file is removed when that fails.
bool replaceFile(const std::string& path, const std::string& text, std::string& error) {
    static unsigned replacements = 0;
    const std::wstring target = widePath(path);
    const std::wstring temporary = widePath(path + ".tmp" + std::to_string(GetCurrentProcessId()) +
                                            "-" + std::to_string(++replacements));
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = systemError();
        return false;
    }
    DWORD written = 0;
    bool done = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                written == text.size() && FlushFileBuffers(file);
    DWORD failure = GetLastError();
    if (!CloseHandle(file) && done) {
        done = false;
        failure = GetLastError();
    }
    if (done) {
        done = GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES
                   ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        if (done) return true;
        failure = GetLastError();
    }
    DeleteFileW(temporary.c_str());
    error = systemError(failure);
    return false;
}

#else

constexpr mode_t ANY_WRITE = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t PERMISSION_BITS = 07777;
constexpr mode_t NEW_FILE_MODE = 0666;  // less the umask

std::string systemError(int code = errno) { return std::strerror(code); }

// Names the kind of a file that is not a regular file.
std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
    if (S_ISFIFO(mode)) return "it is a FIFO";
    return "it is not a regular file";
}

// Checks that the process may write what is at path, whose status is given: with no write
// permission for anyone it may not, also as root, whom the system's rules let through;
// otherwise those rules decide.
bool checkWritable(const std::string& path, const struct stat& status, int accessMode,
                   const char* readOnly, std::string& error) {
    if ((status.st_mode & ANY_WRITE) == 0) {
        error = readOnly;
        return false;
    }
    if (access(path.c_str(), accessMode) == 0) return true;
    error = systemError();
    return false;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Finds the regular file that writing path replaces: path itself, or the file its links lead
// to; false with the reason when there is none that the process may replace.
bool findTarget(const std::string& path, std::string& target, bool& exists, std::string& error) {
    struct stat status {};
    target = path;
    exists = lstat(path.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        error = systemError();
        return false;
    }
    if (exists && S_ISLNK(status.st_mode)) {
        char* resolved = realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            error = errno == ENOENT ? "it is a symbolic link to a missing file" : systemError();
            return false;
        }
        target = resolved;
        std::free(resolved);
        if (stat(target.c_str(), &status) != 0) {
            error = systemError();
            return false;
        }
    }
    if (exists && !S_ISREG(status.st_mode)) {
        error = kindOf(status.st_mode);
        return false;
    }
    if (exists && !checkWritable(target, status, W_OK, "it is read-only", error)) return false;
    const std::string folder = folderOf(target);
    struct stat folderStatus {};
    if (stat(folder.c_str(), &folderStatus) != 0) {
        error = systemError();
        return false;
    }
    return checkWritable(folder, folderStatus, W_OK | X_OK, "its folder is read-only", error);
}

// Reads the open file to its end into text, stopping past MAX_RECORD_SIZE.
bool readToEnd(int descriptor, std::string& text, std::string& error) {
    char buffer[READ_CHUNK];
    while (text.size() <= MAX_RECORD_SIZE) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = systemError();
        if (got <= 0) return got == 0;
        text.append(buffer, static_cast<size_t>(got));
    }
    error = tooLarge();
    return false;
}

// Reads the whole regular file into text, refusing anything else and a file too large; it is
// opened without waiting, so a FIFO put in its place cannot hold the process.
bool readRecord(const std::string& path, std::string& text, std::string& error) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        error = systemError();
        return false;
    }
    struct stat status {};
    bool read = false;
    if (fstat(descriptor, &status) != 0) {
        error = systemError();
    } else if (!S_ISREG(status.st_mode)) {
        error = kindOf(status.st_mode);
    } else if (static_cast<unsigned long long>(status.st_size) > MAX_RECORD_SIZE) {
        error = tooLarge();
    } else {
        read = readToEnd(descriptor, text, error);
    }
    close(descriptor);
    return read;
}

bool createFile(const std::string& path, std::string& error) {
    const int descriptor =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NEW_FILE_MODE);
    if (descriptor >= 0 && close(descriptor) == 0) return true;
    error = systemError();
    return false;
}

bool writeAll(int descriptor, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t written = write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

// Gives the new file the mode and, where the process may, the owner of the file at path, or
// the mode of a file created anew when there is none.
bool keepPermissions(int descriptor, const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        const mode_t mask = umask(0);
        umask(mask);
        return fchmod(descriptor, NEW_FILE_MODE & ~mask) == 0;
    }
    // Only root may give a file away; a new owner may clear set-id bits, so the mode follows.
    const bool owned = fchown(descriptor, status.st_uid, status.st_gid) == 0 || errno == EPERM;
    return owned && fchmod(descriptor, status.st_mode & PERMISSION_BITS) == 0;
}

// Writes the text to a new file beside the path and renames it over the path, so the path
// holds either the old text or the new; the new file is removed when that fails.
bool replaceFile(const std::string& path, const std::string& text, std::string& error) {
    std::string temporary = path + ".XXXXXX";
    const int descriptor = mkstemp(&temporary[0]);
    if (descriptor < 0) {
        error = systemError();
        return false;
    }
    bool done =
        writeAll(descriptor, text) && keepPermissions(descriptor, path) && fsync(descriptor) == 0;
    int failure = errno;
    if (close(descriptor) != 0 && done) {
        done = false;
        failure = errno;
    }
    if (done && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    if (done) failure = errno;
    unlink(temporary.c_str());
    error = systemError(failure);
    return false;
}

#endif

}  // namespace

bool readRecordText(const std::string& path, std::string& text, std::string& error) {
    return readRecord(path, text, error);
}

bool openRecordFile(RecordFile& file, const std::string& path, std::string& error) {
    bool exists = false;
    if (path.empty()) {
        error = "no file is named";
        return false;
    }
    if (!findTarget(path, file.path, exists, error)) return false;
    if (!exists) return createFile(file.path, error);
    std::string& kept = file.keptGames;
    if (!readRecord(file.path, kept, error)) return false;
    // The games of an export file are parted by an empty line.
    if (!kept.empty() && kept.back() != '\n') kept += '\n';
    if (kept.size() >= 2 && kept.compare(kept.size() - 2, 2, "\n\n") != 0) kept += '\n';
    return replaceFile(file.path, kept, error);
}

bool saveRecordFile(const RecordFile& file, const std::string& gameText, std::string& error) {
    // What stands at the path now is checked again: it may have been changed meanwhile.
    std::string target;
    bool exists = false;
    return findTarget(file.path, target, exists, error) &&
           replaceFile(target, file.keptGames + gameText, error);
}
