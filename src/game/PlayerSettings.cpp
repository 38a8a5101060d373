#include "game/PlayerSettings.h"

#include "io/SettingsFile.h"

std::vector<std::string> PlayerSettings::load(const std::string& filePath) {
    path = filePath;
    const SettingsFile::Loaded loaded = SettingsFile::load(path);
    settings = loaded.settings;
    if (startMode != CommandLine::StartMode::Remembered) {
        settings.fullscreen = startMode == CommandLine::StartMode::Fullscreen;
    }
    if (skillOverride >= 0) {
        settings.skill = skillOverride;
    }
    return loaded.problems;
}

std::string PlayerSettings::keepChangesFrom(const Settings& before) {
    std::string reason;
    if (SettingsFile::save(path, before, settings, reason) || problemSaid) {
        return "";
    }
    problemSaid = true;
    return "Settings not kept: " + reason;
}
