#include "core/BaseDirectories.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const FOLDER_NAME = "/duskmarch";

std::string underBase(const char* variable, const char* homeDefault) {
    const char* base = std::getenv(variable);
    if (base != nullptr && base[0] == '/') {
        return std::string(base) + FOLDER_NAME;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        return "";
    }
    return std::string(home) + homeDefault + FOLDER_NAME;
}

} // namespace

std::string BaseDirectories::config() {
    return underBase("XDG_CONFIG_HOME", "/.config");
}

std::string BaseDirectories::data() {
    return underBase("XDG_DATA_HOME", "/.local/share");
}

std::string BaseDirectories::shortened(const std::string& folder) {
    const char* home = std::getenv("HOME");
    const std::size_t length = home != nullptr ? std::strlen(home) : 0;
    if (length > 1 && folder.compare(0, length, home) == 0 && folder.size() > length &&
        folder[length] == '/') {
        return "~" + folder.substr(length);
    }
    return folder;
}
