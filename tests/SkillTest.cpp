// The skills: each a set of knobs in one table, read by the rules and by nothing else of
// it. A skull in reach at a harder skill regains its stamina and strikes again, for the
// skill's damage, after the skill's delay; where the skill lets the player fall, health 0
// ends the game and nothing of it is saved; as designed nothing of this happens.
#include "core/Skill.h"
#include "HeadlessGame.h"
#include "core/Event.h"
#include "world/SaveReader.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const int64_t FRAME_NS = 16666667;

class SkillTest : public HeadlessGame {
  protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        readyToPlay();
        game->framesPerSecond = 60.0;
    }

    // A new game at the skill, with one skull standing in reach in front of the player.
    Unit* playAtWithASkullInReach(int skill) {
        game->playerSettings->settings.skill = skill;
        game->startPlay(false);
        game->startPlayLoop();
        game->camera->posX = 22.5;
        game->camera->posY = 22.5;
        game->createUnit(22.0, 22.5);
        return game->units.back();
    }

    // The world's frames for the given seconds, as play runs them; the blows felt.
    int play(double seconds) {
        testing::internal::CaptureStdout();
        for (int frame = 0; frame < static_cast<int>(seconds * 60); ++frame) {
            game->worldClock->advance(FRAME_NS);
            game->updateWorld();
        }
        const std::string said = testing::internal::GetCapturedStdout();
        int blows = 0;
        for (std::size_t at = said.find("You take"); at != std::string::npos;
             at = said.find("You take", at + 1)) {
            ++blows;
        }
        return blows;
    }
};

TEST_F(SkillTest, AsDesignedASkullStrikesOnceForThreeAndThePlayerNeverFalls) {
    const Skill::Knobs& designed = Skill::at(Skill::DESIGNED).knobs;
    EXPECT_EQ(designed, Skill::Knobs()) << "as designed is the rules' own default";
    playAtWithASkullInReach(Skill::DESIGNED);
    EXPECT_EQ(play(30.0), 1);
    EXPECT_EQ(game->player->health, 97);
    game->player->health = 3;
    game->handleEvent(AttackEvent(-3, 22.0, 22.5));
    EXPECT_EQ(game->player->health, 0);
    EXPECT_FALSE(game->fallen()) << "health 0 ends nothing, as designed";
}

// Every harder skill, by its own knobs: the first blow only after its delay in reach,
// then again as often as the regained stamina allows, each for its damage.
TEST_F(SkillTest, AtEachHarderSkillASkullStrikesAgainForTheSkillsDamage) {
    for (int skill = 1; skill < static_cast<int>(Skill::table().size()); ++skill) {
        SCOPED_TRACE(Skill::at(skill).word);
        const Skill::Knobs& knobs = Skill::at(skill).knobs;
        Unit* skull = playAtWithASkullInReach(skill);
        EXPECT_EQ(skull->damage, knobs.blowDamage);
        // Not before the delay: it acts every 150 ms, and strikes at the first of those
        // once it has stood in reach for the delay.
        const double firstBlowMs = std::max(150.0, static_cast<double>(knobs.strikeDelayMs));
        EXPECT_EQ(play((firstBlowMs - 40.0) / 1000.0), 0);
        EXPECT_EQ(play(0.2), 1) << "the first blow, once the delay is over";
        EXPECT_EQ(game->player->health, 100 - knobs.blowDamage);
        // Blows cost 11 stamina and need 10: after the first, one more point, then eleven
        // more for each blow after that.
        const double seconds = 30.0;
        const int expected = static_cast<int>((seconds * knobs.staminaPerSecond - 1) / 11) + 1;
        const int blows = play(seconds);
        EXPECT_GE(blows, expected - 1);
        EXPECT_LE(blows, expected + 1);
        EXPECT_TRUE(game->hearsSkulls() && game->showsCues()) << "every harder skill's cues";
        game->player->health = 0;
        EXPECT_TRUE(game->fallen()) << "and the player can fall";
    }
}

// A skull at the player's diagonal, in front: inside the square it strikes from, outside
// the sword's designed circle. As designed the swing misses it; at every harder skill,
// where it strikes again and again, the swing reaches it. Just past the square, no skill's
// sword reaches.
TEST_F(SkillTest, AtEveryHarderSkillASkullThatCanStrikeCanBeStruck) {
    for (int skill = 0; skill < static_cast<int>(Skill::table().size()); ++skill) {
        SCOPED_TRACE(Skill::at(skill).word);
        for (const double off : {0.6, 0.66}) {
            Unit* skull = playAtWithASkullInReach(skill);
            skull->x = game->camera->posX - off; // in front: the view looks toward -x
            skull->y = game->camera->posY + off;
            const bool canStrike = off < Unit::REACH;
            game->swordAnimation->finished = true;
            testing::internal::CaptureStdout();
            game->handleEvent(Event(PLAYER_ATTACK_EVENT));
            const bool struck = testing::internal::GetCapturedStdout() == "Did 3 damage!\n";
            EXPECT_EQ(struck, canStrike && skill != Skill::DESIGNED) << "at " << off;
        }
    }
}

TEST_F(SkillTest, AtHealthZeroThePlayerFallsOnceAndIsNeverSaved) {
    writeSave("x:3\ny:4\n");
    playAtWithASkullInReach(Skill::indexOf("merciless"));
    game->player->health = 1;
    testing::internal::CaptureStdout();
    game->handleEvent(AttackEvent(-6, 22.0, 22.5));
    game->handleEvent(AttackEvent(-6, 22.0, 22.5));
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(game->fallen());
    EXPECT_EQ(said.find("You fell."), said.rfind("You fell.")) << said;
    EXPECT_NE(said.find("You fell."), std::string::npos) << said;
    EXPECT_EQ(game->player->health, 0);
    game->handleEvent(Event(SAVE_EVENT));
    game->handleEvent(Event(QUIT_EVENT));
    EXPECT_EQ(readSave(), "x:3\ny:4\n") << "the last save stays good";
    EXPECT_EQ(game->exitStatus(), 0);
}

// After a fall: the screen says what Load would bring back (the save's level, skill and
// time), and Restart begins as every new game does, facing the way the first one faced.
TEST_F(SkillTest, TheFallScreenSaysWhatLoadBringsBackAndRestartFacesAsANewGame) {
    game->files.crypt = {{"levels/RirUdodu.lev", "RirUdodu.lev", "Rir Udodu", 0, false, -1},
                         {"levels/Narrows.lev", "Narrows.lev", "The Narrows", 0, false, -1}};
    EXPECT_EQ(game->describeSave(), "") << "no save: Load is not offered";
    writeSave("x:3\ny:4\nskill:hunted\nlevel:Narrows.lev\n");
    EXPECT_EQ(game->describeSave().rfind("The Narrows, Hunted, saved at ", 0), 0u)
        << game->describeSave();
    writeSave("x:3\ny:4\n");
    EXPECT_EQ(game->describeSave().rfind("Rir Udodu, As designed, saved ", 0), 0u)
        << game->describeSave();
    game->chooseLevel("elsewhere/mine.lev", "gamesave.dat"); // --level's: named by its file
    EXPECT_EQ(game->describeSave().rfind("mine, As designed, saved ", 0), 0u)
        << game->describeSave();
    game->chooseLevel("levels/RirUdodu.lev", "gamesave.dat");
    playAtWithASkullInReach(Skill::indexOf("merciless"));
    game->camera->dirX = 0.0;
    game->camera->dirY = 1.0;
    game->camera->planeX = -0.66;
    game->camera->planeY = 0.0;
    game->startPlay(false);
    EXPECT_EQ(game->camera->dirX, -1.0);
    EXPECT_EQ(game->camera->dirY, 0.0);
    EXPECT_EQ(game->camera->planeX, 0.0);
    EXPECT_EQ(game->camera->planeY, 0.66);
}

// The skill goes into the save under a key of its own, and Load goes on at it; a save
// without it is played as designed, and one of a skill unknown too.
TEST_F(SkillTest, ASaveKeepsItsSkillAndLoadGoesOnAtIt) {
    playAtWithASkullInReach(Skill::indexOf("hunted"));
    game->saveGame();
    EXPECT_NE(readSave().find("\nskill:hunted\n"), std::string::npos) << readSave();
    game->playerSettings->settings.skill = Skill::DESIGNED;
    game->startPlay(true);
    EXPECT_EQ(game->recordedGame->skill, Skill::indexOf("hunted"));
    EXPECT_EQ(game->units.front()->damage, Skill::at(game->recordedGame->skill).knobs.blowDamage);
    for (const char* save : {"x:3\ny:4\n", "x:3\nskill:nightmare\n", "skill:\n"}) {
        writeSave(save);
        game->playerSettings->settings.skill = Skill::indexOf("merciless");
        game->startPlay(true);
        EXPECT_EQ(game->recordedGame->skill, Skill::DESIGNED) << save;
    }
    game->playerSettings->settings.skill = Skill::DESIGNED;
    game->startPlay(false);
    game->saveGame();
    EXPECT_EQ(readSave().find("skill:"), std::string::npos) << "as designed, the save is as ever";
}

} // namespace
