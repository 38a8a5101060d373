#pragma once

#include "TestSupport.h"
#include "game/Game.h"

#include <gtest/gtest.h>
#include <string>

// A Game without a window, in a scratch folder of its own holding the built assets and
// an empty levels/ folder; the camera stands at (22, 22) looking toward line 0.
class HeadlessGame : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A level of open floor walled in by 2s, with the given lines after the grid.
    static std::string closedRoom(const std::string& unitLines = "");
    // The closed room as the level, the rules listening and the input's snapshots made, as
    // a game needs them to begin play without a window.
    void readyToPlay() const;
    void writeLevel(const std::string& text) const;
    void writeSave(const std::string& text) const;
    std::string readSave() const;

    ScratchFolder folder;
    Game* game = nullptr;
};
