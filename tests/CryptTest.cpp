// The crypt's levels one after another: N goes on only once a level is cleared, a save
// names the level it was made in and Load goes on there, and the files that list the
// levels and keep the best times take only what they should.
#include "HeadlessGame.h"

#include "io/BestTimes.h"
#include "io/CryptFile.h"
#include "screens/LevelListScreen.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

class CryptTest : public HeadlessGame {
  protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        readyToPlay();
        writeLevel(closedRoom("unit:5 5\n"));
        std::ofstream("levels/Second.lev")
            << closedRoom("name:The Second\nstart:4 7\nunit:20 20\nunit:21 21\n");
        std::ofstream("levels/crypt.ini") << "[crypt]\nlevels = RirUdodu.lev Second.lev\n"
                                             "[RirUdodu.lev]\nname = The First\npar = 90\n";
        game->readCrypt();
    }

    void clearLevel() {
        for (Unit* unit : game->units) {
            delete unit;
        }
        game->units.clear();
    }
};

TEST_F(CryptTest, NGoesOnToTheNextLevelOnlyOnceTheLastSkullHasFallen) {
    ASSERT_EQ(game->files.crypt.size(), 2u);
    EXPECT_EQ(game->files.crypt[0].name, "The First");
    EXPECT_EQ(game->files.crypt[1].name, "The Second") << "from the level file's own name";
    game->startPlay(false);
    ASSERT_EQ(game->units.size(), 1u);
    game->goToNextLevel();
    EXPECT_EQ(game->files.levelPath, "levels/RirUdodu.lev") << "a skull is left";
    clearLevel();
    game->goToNextLevel();
    EXPECT_EQ(game->files.levelPath, "levels/Second.lev");
    EXPECT_EQ(game->units.size(), 2u);
    EXPECT_DOUBLE_EQ(game->camera->posX, 4.5) << "in the middle of the level's start";
    EXPECT_DOUBLE_EQ(game->camera->posY, 7.5);
    clearLevel();
    game->goToNextLevel();
    EXPECT_EQ(game->files.levelPath, "levels/Second.lev") << "the crypt's last level has no next";
}

TEST_F(CryptTest, ASaveNamesItsLevelAndLoadGoesOnThere) {
    game->startPlay(false);
    clearLevel();
    game->goToNextLevel();
    game->camera->posX = 9.5;
    game->camera->posY = 11.5;
    ASSERT_TRUE(game->saveGame());
    EXPECT_NE(readSave().find("\nlevel:Second.lev\n"), std::string::npos) << readSave();

    // Load from the menu starts from the first level and goes on in the save's.
    game->chooseLevel(game->files.menuLevelPath, game->files.menuSavePath);
    game->startPlay(true);
    EXPECT_EQ(game->files.levelPath, "levels/Second.lev");
    EXPECT_DOUBLE_EQ(game->camera->posX, 9.5);
    EXPECT_EQ(game->units.size(), 2u) << "the save's level's skulls, not the first's";
    ASSERT_TRUE(game->saveGame());
    EXPECT_NE(readSave().find("\nlevel:Second.lev\n"), std::string::npos);
}

TEST_F(CryptTest, ASaveOfTheFirstLevelNamesNoneAndAStrangeNameLeavesTheLevelAsItIs) {
    game->startPlay(false);
    ASSERT_TRUE(game->saveGame());
    EXPECT_EQ(readSave().find("level:"), std::string::npos) << "as every save before the crypt";
    writeSave("x:3\ny:3\nlevel:../../elsewhere.lev\n");
    game->startPlay(true);
    EXPECT_EQ(game->files.levelPath, "levels/RirUdodu.lev");
    EXPECT_EQ(game->units.size(), 1u);
}

TEST(CryptFileTest, OnlyPlainLevelNamesOfItsOwnFolderAndOneLevelAtLeast) {
    std::vector<std::string> problems;
    const std::vector<LevelInfo> levels = CryptFile::parse(
        "[crypt]\nlevels = a.lev ../b.lev c.txt /d.lev e-f_1.lev\n[a.lev]\npar = 0\nname = A\n",
        "levels", problems);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].path, "levels/a.lev");
    EXPECT_EQ(levels[0].parSeconds, 0) << "a par of nothing is no par";
    EXPECT_EQ(levels[1].key, "e-f_1.lev");
    EXPECT_EQ(problems.size(), 3u);
    problems.clear();
    const std::vector<LevelInfo> none = CryptFile::parse("[crypt]\n", "levels", problems);
    ASSERT_EQ(none.size(), 1u) << "the level the game ships, when the file names none";
    EXPECT_EQ(none[0].path, "levels/RirUdodu.lev");
}

TEST(CryptFileTest, TheBestTimeIsKeptOnlyWhenItIsBetterAndOnlyForALevel) {
    BestTimes best = BestTimes::parse("[best]\nRirUdodu.lev = 90000\nown/x.lev = 5\n"
                                      "../y.lev = 3\nNarrows.lev = -4\n");
    EXPECT_EQ(best.best("RirUdodu.lev"), 90000);
    EXPECT_EQ(best.best("own/x.lev"), 5);
    EXPECT_EQ(best.times.size(), 2u);
    EXPECT_FALSE(best.offer("RirUdodu.lev", 95000));
    EXPECT_TRUE(best.offer("RirUdodu.lev", 80000));
    EXPECT_TRUE(best.offer("Narrows.lev", 120000));
    EXPECT_FALSE(best.offer("own/../../z.lev", 1000));
    EXPECT_EQ(BestTimes::parse(best.compose()).times, best.times);
}

// The list's Delete: only the player's own, and only after a yes, the question standing
// on the screen until it is answered.
TEST(LevelListTest, DeleteRemovesOnlyThePlayersOwnAfterAYesThatIsAsked) {
    const std::vector<LevelInfo> levels = {{"levels/a.lev", "a.lev", "A", 0, false, -1},
                                           {"own/b.lev", "own/b.lev", "B", 0, true, 61000}};
    LevelListScreen list(Screen::Fonts(), levels, 0);
    MenuCommand remove;
    remove.remove = true;
    EXPECT_EQ(list.update(remove), Screen::Next::Stay);
    EXPECT_EQ(list.said(), "The crypt's levels stay; only your own can be removed");
    MenuCommand down;
    down.down = true;
    list.update(down);
    list.update(remove);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(list.update(MenuCommand()), Screen::Next::Stay);
        EXPECT_EQ(list.said(), "Remove \"B\"? Y or N") << "still asked, frame " << frame;
    }
    MenuCommand no;
    no.letter = 'n';
    EXPECT_EQ(list.update(no), Screen::Next::Stay);
    EXPECT_EQ(list.said(), "");
    list.update(remove);
    MenuCommand yes;
    yes.letter = 'y';
    EXPECT_EQ(list.update(yes), Screen::Next::Remove);
    EXPECT_EQ(list.selected(), 1);
    EXPECT_EQ(LevelListScreen::bestLine(levels[1]), "1:01");
}

} // namespace
