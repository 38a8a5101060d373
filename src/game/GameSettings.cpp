// The player's settings: read at start, put in force in every system they touch, and
// written whenever one changes.
#include "game/Game.h"

#include "core/AssetIds.h"
#include "core/SoundEvent.h"
#include "game/PlayView.h"
#include "io/SettingsFile.h"

#include <iostream>

void Game::loadSettings() {
    settingsPath = SettingsFile::defaultPath();
    const SettingsFile::Loaded loaded = SettingsFile::load(settingsPath);
    for (const std::string& problem : loaded.problems) {
        std::cout << problem << std::endl;
    }
    settings = loaded.settings;
    if (startMode != CommandLine::StartMode::Remembered) {
        settings.fullscreen = startMode == CommandLine::StartMode::Fullscreen;
    }
}

void Game::applySettings() {
    inputSystem->bindings = settings.keys;
    inputSystem->pad = settings.pad;
    camera->radiansPerPixel =
        settings.turning == Settings::Turning::Smooth ? settings.smoothRadiansPerPixel() : 0.0;
    soundSystem->setVolumes(settings.effectsVolume / 100.0f, settings.ambienceVolume / 100.0f);
    view->flashShare = settings.flashShare();
    hud->captionsOn = settings.captions;
    hud->fpsOn = settings.showFps;
    displaySystem->fillScreen = settings.scaling == Settings::Scaling::Fill;
    if (displaySystem->display != nullptr && settings.fullscreen != displaySystem->fullscreen()) {
        displaySystem->switchFullscreen();
        // A desktop that keeps the window at its size leaves the game in it.
        settings.fullscreen = displaySystem->fullscreen();
        inputSystem->startAfresh(); // the window moved under the pointer
    }
}

// In force at once, and kept. A file that cannot be written is said once, on the console
// and the HUD; the change stays in force for this run all the same.
void Game::changeSettings(const Settings& changed) {
    if (changed == settings) {
        return;
    }
    settings = changed;
    applySettings();
    if (replay != nullptr) {
        return; // a replay keeps the player's settings as they were
    }
    std::string reason;
    if (SettingsFile::save(settingsPath, settings, reason) || settingsProblemSaid) {
        return;
    }
    const std::string said = "Settings not kept: " + reason;
    std::cout << said << "." << std::endl;
    hud->notify(said);
    settingsProblemSaid = true;
}

// The full screen key, remembered for the next start.
void Game::switchFullscreen() {
    displaySystem->switchFullscreen();
    Settings changed = settings;
    changed.fullscreen = displaySystem->fullscreen();
    changeSettings(changed);
}

// The captions of the sounds the player can hear; the ambience is always there.
void Game::captionSound(int32_t soundId) {
    switch (soundId) {
    case SoundId::FOOTSTEP:
        hud->caption("Footsteps");
        break;
    case SoundId::SWORD_HIT:
        hud->caption("Sword hits");
        break;
    case SoundId::SWORD_MISS:
        hud->caption("Sword misses");
        break;
    case SoundId::DEAD_SLEEP:
        hud->caption("The bell tolls");
        break;
    default:
        break;
    }
}
