// The player's settings: read at start, put in force in every system they touch, and
// written whenever one changes.
#include "game/Game.h"

#include "core/AssetIds.h"
#include "game/PlayView.h"
#include "io/SettingsFile.h"

#include <iostream>

void Game::loadSettings() {
    for (const std::string& problem : playerSettings->load(SettingsFile::defaultPath())) {
        std::cout << problem << std::endl;
    }
}

// During a replay the settings that steer the world are the recording's, whatever the
// player has chosen or changes meanwhile.
void Game::applySettings() {
    Settings& settings = playerSettings->settings;
    const Settings inForce = recordedGame != nullptr ? recordedGame->inForce(settings) : settings;
    inputSystem->bindings = inForce.keys;
    inputSystem->pad = inForce.pad;
    camera->radiansPerPixel = inForce.radiansPerPixel();
    soundSystem->setVolumes(inForce.effectsVolume / 100.0f, inForce.ambienceVolume / 100.0f);
    view->flashShare = inForce.flashShare();
    hud->captionsOn = inForce.captions;
    hud->fpsOn = inForce.showFps;
    mapScreen->overlay = inForce.mapMode == Settings::MapMode::Overlay;
    displaySystem->fillScreen = inForce.scaling == Settings::Scaling::Fill;
    if (displaySystem->display != nullptr && inForce.fullscreen != displaySystem->fullscreen()) {
        displaySystem->switchFullscreen();
        // A desktop that keeps the window at its size leaves the game in it.
        settings.fullscreen = displaySystem->fullscreen();
        inputSystem->startAfresh(); // the window moved under the pointer
    }
}

// In force at once, and kept. A file that cannot be written is said once, on the console
// and the HUD; the change stays in force for this run all the same.
void Game::changeSettings(const Settings& changed) {
    if (changed == playerSettings->settings) {
        return;
    }
    const Settings before = playerSettings->settings;
    playerSettings->settings = changed;
    applySettings();
    if (!recordedGame->replaying()) { // a replay keeps the player's file as it was
        say(playerSettings->keepChangesFrom(before));
    }
}

// A problem on the console and the HUD; nothing when there is none.
void Game::say(const std::string& problem) {
    if (!problem.empty()) {
        std::cout << problem << "." << std::endl;
        hud->notify(problem);
    }
}

// The full screen key, remembered for the next start.
void Game::switchFullscreen() {
    displaySystem->switchFullscreen();
    Settings changed = playerSettings->settings;
    changed.fullscreen = displaySystem->fullscreen();
    changeSettings(changed);
}
