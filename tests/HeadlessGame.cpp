#include "HeadlessGame.h"

#include "world/MapGrid.h"

#include <filesystem>
#include <fstream>
#include <sstream>

void HeadlessGame::SetUp() {
    folder.copyAssetsExcept({});
    std::filesystem::create_directory("levels");
    startAllegroForTests();
    // Asset ids come from process-wide counters: each game of a test process starts
    // them afresh, as the one game of a real run does.
    AssetLoader::nextBufferId = 0;
    AssetLoader::nextSpriteId = 0;
    AssetLoader::nextSoundId = 0;
    game = new Game();
    game->displaySystem->width = 600;
    game->displaySystem->height = 400;
    ASSERT_TRUE(game->loadAssets());
    game->createWorld();
    game->camera->posX = 22.0;
    game->camera->posY = 22.0;
    game->camera->init(400, 600, game->mapGrid);
}

void HeadlessGame::TearDown() {
    delete game;
    startAllegroForTests(); // the game's destructor shut the add-ons down
}

std::string HeadlessGame::closedRoom(const std::string& unitLines) {
    std::string text = std::string(MAP_SIZE, '2') + "\n";
    for (int x = 1; x < MAP_SIZE - 1; ++x) {
        text += "2" + std::string(MAP_SIZE - 2, '0') + "2\n";
    }
    return text + std::string(MAP_SIZE, '2') + "\n" + unitLines;
}

void HeadlessGame::readyToPlay() const {
    writeLevel(closedRoom());
    game->listenForRules();
    game->inputSystem->createSnapshots();
}

void HeadlessGame::writeLevel(const std::string& text) const {
    std::ofstream("levels/RirUdodu.lev") << text;
}

void HeadlessGame::writeSave(const std::string& text) const {
    std::ofstream("gamesave.dat", std::ios::binary) << text;
}

std::string HeadlessGame::readSave() const {
    std::ifstream save("gamesave.dat");
    std::stringstream text;
    text << save.rdbuf();
    return text.str();
}
