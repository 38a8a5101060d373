#include "world/DemoRecorder.h"

#include "core/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

DemoRecorder::~DemoRecorder() {
    finish();
}

bool DemoRecorder::start(const std::string& path, const Demo& header, std::string& reason) {
    const std::string stranger = RegularFile::strangerAt(path);
    if (!stranger.empty()) {
        reason = stranger;
        return false;
    }
    if (unlink(path.c_str()) != 0 && errno != ENOENT) {
        reason = std::strerror(errno);
        return false;
    }
    const int fd = RegularFile::createFresh(path);
    if (fd < 0 || (file = fdopen(fd, "w")) == nullptr) {
        reason = std::strerror(errno);
        if (fd >= 0) {
            close(fd);
        }
        return false;
    }
    const std::string text = header.header();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fflush(file);
    frames = 0;
    return true;
}

void DemoRecorder::frame(const Demo::Frame& frame) {
    if (file == nullptr) {
        return;
    }
    const std::string line = Demo::frameLine(frame);
    std::fwrite(line.data(), 1, line.size(), file);
    std::fflush(file);
    ++frames;
}

void DemoRecorder::finish() {
    if (file == nullptr) {
        return;
    }
    const std::string line = Demo::endLine(frames);
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
    file = nullptr;
}
