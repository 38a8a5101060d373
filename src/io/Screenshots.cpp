#include "io/Screenshots.h"

#include "core/BaseDirectories.h"
#include "core/RegularFile.h"

#include <allegro5/allegro_image.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &local);
    return text;
}

// A new file of its own, never one that exists: the second of a second gets "-2".
int createFresh(const std::string& folder, std::string& path, std::string& reason) {
    const std::string stem = folder + "/duskmarch-" + timeStamp();
    for (int attempt = 1; attempt < 100; ++attempt) {
        path = stem + (attempt > 1 ? "-" + std::to_string(attempt) : "") + ".png";
        const int fd = RegularFile::createFresh(path);
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0) {
                reason = path + ": " + std::strerror(errno);
            }
            return fd;
        }
    }
    reason = stem + ": too many screenshots in one second";
    return -1;
}

} // namespace

std::string Screenshots::folder() {
    const std::string data = BaseDirectories::data();
    return data.empty() ? "" : data + "/screenshots";
}

bool Screenshots::save(ALLEGRO_BITMAP* frame, std::string& said) {
    const std::string where = folder();
    if (where.empty()) {
        said = "there is no folder for it (neither XDG_DATA_HOME nor HOME is set)";
        return false;
    }
    std::string path;
    if (!RegularFile::makeFolders(where, said)) {
        return false;
    }
    const int fd = createFresh(where, path, said);
    if (fd < 0) {
        return false;
    }
    ALLEGRO_FILE* file = al_fopen_fd(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(path.c_str());
        said = path + ": cannot be written";
        return false;
    }
    const bool saved = al_save_bitmap_f(file, ".png", frame);
    const bool closed = al_fclose(file);
    if (!saved || !closed) {
        unlink(path.c_str());
        said = path + ": the picture could not be written";
        return false;
    }
    said = path;
    return true;
}
