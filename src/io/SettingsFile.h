#pragma once

#include "core/Settings.h"

#include <string>
#include <vector>

// The player's settings on disk: settings.ini in $XDG_CONFIG_HOME/duskmarch, read and
// written with Allegro's configuration files. Reading is bounded like every reader of the
// game's: only a regular file, at most SIZE_LIMIT bytes of it. A value that is missing
// keeps its default quietly; one that is out of range or unreadable keeps its default
// and is named in problems, one line each.
class SettingsFile {
  public:
    static constexpr std::size_t SIZE_LIMIT = 64 * 1024;

    struct Loaded {
        Settings settings;
        std::vector<std::string> problems;
    };

    // $XDG_CONFIG_HOME/duskmarch/settings.ini, or ~/.config/duskmarch/settings.ini when
    // that is unset or not absolute; empty when there is no home either.
    static std::string defaultPath();

    // The defaults when there is no file; the defaults and a problem when what stands
    // there is not a readable regular file.
    static Loaded load(const std::string& path);
    static Loaded parse(const std::string& text);

    static std::string compose(const Settings& settings);
    // Makes the changes from before to after on the file as it is now (another copy of the
    // game may have written it meanwhile, and its changes stay), writing beside the file
    // and renaming into place, its folder made first. False, with the reason, when it
    // cannot.
    static bool save(const std::string& path, const Settings& before, const Settings& after,
                     std::string& reason);
};
