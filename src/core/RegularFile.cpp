#include "core/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why what stands at a path is not read or written, in a few words.
std::string kindOf(mode_t mode) {
    const char* kind = S_ISDIR(mode)                    ? "a directory"
                       : S_ISFIFO(mode)                 ? "a FIFO"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISSOCK(mode)                 ? "a socket"
                                                        : "something else";
    return std::string("it is ") + kind + ", not a regular file";
}

// Reads up to limit bytes; false on a read error.
bool readUpTo(int fd, std::size_t limit, std::string& text) {
    char buffer[65536];
    while (text.size() < limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit - text.size());
        const ssize_t got = ::read(fd, buffer, wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

} // namespace

RegularFile::Contents RegularFile::read(const std::string& path, std::size_t maxBytes) {
    Contents contents;
    // Non-blocking, so that a FIFO with no writer cannot hold the game at the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        contents.outcome = errno == ENOENT ? Outcome::Missing : Outcome::Refused;
        contents.problem = std::strerror(errno);
        return contents;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        contents.outcome = Outcome::Refused;
        contents.problem = S_ISREG(status.st_mode) ? std::strerror(errno) : kindOf(status.st_mode);
        ::close(fd);
        return contents;
    }
    // One byte more than allowed tells whether the file runs on.
    if (!readUpTo(fd, maxBytes + 1, contents.text)) {
        contents.outcome = Outcome::Refused;
        contents.problem = std::strerror(errno);
        ::close(fd);
        return contents;
    }
    ::close(fd);
    contents.outcome = Outcome::Read;
    contents.cutShort = contents.text.size() > maxBytes;
    if (contents.cutShort) {
        contents.text.resize(maxBytes);
    }
    return contents;
}

int RegularFile::createFresh(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

bool RegularFile::writeFresh(const std::string& path, const std::string& text,
                             std::string& reason) {
    const int fd = createFresh(path);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool done = writeAll(fd, text) && fsync(fd) == 0;
    if (!done) {
        reason = std::strerror(errno);
    }
    if (::close(fd) != 0 && done) {
        reason = std::strerror(errno);
        done = false;
    }
    if (!done) {
        ::unlink(path.c_str());
    }
    return done;
}

std::string RegularFile::strangerAt(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) {
        return "";
    }
    return kindOf(status.st_mode);
}

std::string RegularFile::missingFolderOf(const std::string& path) {
    const std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ""; // the working folder
    }
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) {
        return "there is no folder \"" + folder + "\"";
    }
    return S_ISDIR(status.st_mode) ? "" : "\"" + folder + "\" is no folder";
}

int64_t RegularFile::modifiedAt(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    return static_cast<int64_t>(status.st_mtime);
}

bool RegularFile::replace(const std::string& path, const std::string& text, std::string& reason) {
    const std::string temporary = path + ".tmp";
    for (const std::string& name : {temporary, path}) {
        const std::string stranger = strangerAt(name);
        if (!stranger.empty()) {
            reason = name + ": " + stranger;
            return false;
        }
    }
    // A file or link an earlier save left at the temporary name goes first; unlink
    // removes a link itself, never what it points to.
    if (unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        reason = temporary + ": " + std::strerror(errno);
        return false;
    }
    if (!writeFresh(temporary, text, reason)) {
        reason = temporary + ": " + reason;
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        reason = path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool RegularFile::makeFolders(const std::string& path, std::string& reason) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
            reason = folder + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

std::vector<std::string> RegularFile::namesIn(const std::string& folder, const std::string& suffix,
                                              std::size_t limit) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    // A folder of thousands is read only so far: the list shows a few dozen at most.
    const std::size_t readLimit = 16 * limit;
    std::size_t seen = 0;
    for (dirent* entry = readdir(dir); entry != nullptr && seen < readLimit;
         entry = readdir(dir), ++seen) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name.size() <= suffix.size() || name[0] == '.' ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
            lstat((folder + "/" + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            continue;
        }
        names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    if (names.size() > limit) {
        names.resize(limit);
    }
    return names;
}

bool RegularFile::remove(const std::string& path, std::string& reason) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "it is not a regular file";
        return false;
    }
    if (unlink(path.c_str()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}
