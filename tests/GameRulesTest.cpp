// The rules of play: the sword against the units, the units' blows, spawning, the game
// speed, saving and quitting, and loading a saved game.
#include "HeadlessGame.h"
#include "core/AttackEvent.h"
#include "core/Event.h"
#include "world/MapGrid.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

class GameRulesTest : public HeadlessGame {
  protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        game->playing = true;
        game->eventSystem->addListener(SOUND_EVENT, &sounds);
    }

    // The camera looks toward line 0 (direction -1, 0): "ahead" is smaller x.
    Unit* unitAhead(double cells) {
        game->createUnit(game->camera->posX - cells, game->camera->posY);
        return game->units.back();
    }

    // One swing with the sword at rest, as after its animation has run out; the
    // console lines it printed are returned.
    std::string swing() {
        game->swordAnimation->finished = true;
        return deliverCapturingOutput(Event(PLAYER_ATTACK_EVENT));
    }

    std::string deliverCapturingOutput(const Event& event) {
        testing::internal::CaptureStdout();
        game->handleEvent(event);
        return testing::internal::GetCapturedStdout();
    }

    // A level with a wall along grid line x, from the room's edge up to (not including) y.
    static std::string wallAcross(std::string level, int x, int endY) {
        for (int y = 1; y < endY; ++y) {
            level[x * (MAP_SIZE + 1) + y] = '5';
        }
        return level;
    }

    RecordingListener sounds{"sounds"};
};

const int MISS = 4;
const int HIT = 3;
const int DEAD_SLEEP = 2;

TEST_F(GameRulesTest, TheTargetIsTheNearestUnitInFrontAndTheFirstOfEqualOnes) {
    EXPECT_EQ(game->findTarget(), nullptr);
    unitAhead(3.0);
    Unit* firstOfTwo = unitAhead(1.0);
    Unit* secondOfTwo = unitAhead(1.0);
    EXPECT_EQ(game->findTarget(), firstOfTwo);
    game->units.erase(game->units.begin() + 1);
    EXPECT_EQ(game->findTarget(), secondOfTwo);
    delete firstOfTwo;
}

TEST_F(GameRulesTest, AUnitBesideOrBehindDoesNotShieldTheOneInFront) {
    unitAhead(-0.3);              // behind, nearest of all
    unitAhead(0.0);               // on the player's own spot
    game->createUnit(22.0, 22.2); // beside, on the camera plane
    Unit* inFront = unitAhead(0.5);
    EXPECT_EQ(game->findTarget(), inFront);
    EXPECT_EQ(swing(), "Did 3 damage!\n");
    EXPECT_EQ(inFront->health, 7);
}

TEST_F(GameRulesTest, AUnitNineThousandNineHundredNinetyNineAwayIsNeverTheTarget) {
    unitAhead(9999.0);
    EXPECT_EQ(game->findTarget(), nullptr);
    EXPECT_EQ(swing(), "");
    EXPECT_EQ(sounds.soundIds, std::vector<int>{MISS});
}

TEST_F(GameRulesTest, TheSwordReachesExactlySixtyFiveHundredthsInFront) {
    game->camera->posX = 1.65; // 1.65 - 0.65 leaves a distance of exactly 0.65
    Unit* edge = unitAhead(0.65);
    ASSERT_EQ(game->camera->distanceTo(edge->x, edge->y), 0.65);
    EXPECT_EQ(swing(), "Did 3 damage!\n");
    EXPECT_EQ(edge->health, 7);

    edge->x = std::nextafter(edge->x, 0.0); // the least bit farther
    EXPECT_EQ(swing(), "");
    EXPECT_EQ(sounds.soundIds, (std::vector<int>{HIT, MISS}));
    EXPECT_EQ(edge->health, 7);
}

TEST_F(GameRulesTest, UnitsBehindOrOnThePlayersSpotAreMissed) {
    Unit* behind = unitAhead(-0.2);
    swing();
    EXPECT_EQ(behind->health, 10);
    behind->x = game->camera->posX; // depth 0, as for a unit just spawned here
    swing();
    EXPECT_EQ(behind->health, 10);
    EXPECT_EQ(sounds.soundIds, (std::vector<int>{MISS, MISS}));
}

TEST_F(GameRulesTest, TheNearerOfTwoUnitsInReachTakesTheHit) {
    Unit* farther = unitAhead(0.6);
    Unit* nearer = unitAhead(0.3);
    swing();
    EXPECT_EQ(nearer->health, 7);
    EXPECT_EQ(farther->health, 10);
}

TEST_F(GameRulesTest, ASwingWhileTheLastOneRunsDoesNothingAtAll) {
    Unit* unit = unitAhead(0.5);
    swing();
    EXPECT_FALSE(game->swordAnimation->finished);
    EXPECT_EQ(deliverCapturingOutput(Event(PLAYER_ATTACK_EVENT)), "");
    EXPECT_EQ(unit->health, 7);
    EXPECT_EQ(sounds.soundIds, std::vector<int>{HIT});
}

TEST_F(GameRulesTest, ASwingAtNothingStillSwingsAndWhooshes) {
    swing();
    EXPECT_FALSE(game->swordAnimation->finished);
    EXPECT_EQ(sounds.soundIds, std::vector<int>{MISS});
}

TEST_F(GameRulesTest, TheFourthHitKillsAndTheLastKillWakesNothing) {
    Unit* unit = unitAhead(0.5);
    std::vector<int32_t> healths;
    std::string output;
    for (int hit = 0; hit < 3; ++hit) {
        output += swing();
        healths.push_back(unit->health);
        EXPECT_TRUE(unit->hurt);
        EXPECT_EQ(unit->hurtCounter, 10);
    }
    EXPECT_EQ(healths, (std::vector<int32_t>{7, 4, 1}));
    output += swing();
    EXPECT_TRUE(game->units.empty());
    EXPECT_EQ(output, "Did 3 damage!\nDid 3 damage!\nDid 3 damage!\nDid 3 damage!\n"
                      "Killed a unit!\nTHE DEAD SLEEP ONCE MORE\n");
    EXPECT_EQ(sounds.soundIds, (std::vector<int>{HIT, HIT, HIT, HIT, DEAD_SLEEP}));
}

TEST_F(GameRulesTest, AKillWithOthersLeftKeepsTheirOrderAndSleepsNotYet) {
    Unit* first = unitAhead(4.0);
    Unit* victim = unitAhead(0.5);
    Unit* last = unitAhead(-3.0);
    victim->health = 2;
    EXPECT_EQ(swing(), "Did 3 damage!\nKilled a unit!\n");
    EXPECT_EQ(game->units, (std::vector<Unit*>{first, last}));
    EXPECT_EQ(sounds.soundIds, std::vector<int>{HIT});
}

TEST_F(GameRulesTest, BlowsOnThePlayerStopAtNoHealthButAreStillTold) {
    game->player->health = 2;
    EXPECT_EQ(deliverCapturingOutput(AttackEvent(-3)), "You take -3 damage!\n");
    EXPECT_EQ(game->player->health, 0);
    EXPECT_FALSE(game->player->alive);
    EXPECT_TRUE(game->player->hurt);
    EXPECT_EQ(game->player->hurtCounter, 10);
    EXPECT_EQ(deliverCapturingOutput(AttackEvent(-3)), "You take -3 damage!\n");
    EXPECT_EQ(game->player->health, 0);
    EXPECT_EQ(deliverCapturingOutput(AttackEvent(5)), "You take 5 damage!\n");
    EXPECT_EQ(game->player->health, 5);
}

TEST_F(GameRulesTest, TheSpeedKeysDoubleAndHalveBetweenASixtyFourthAndFour) {
    for (EventType type : {SPEED_UP_EVENT, SPEED_UP_EVENT, SLOW_DOWN_EVENT, SPEED_UP_EVENT}) {
        game->handleEvent(Event(type));
    }
    EXPECT_DOUBLE_EQ(game->gameTimer->factor, 4.0);
    game->handleEvent(Event(SPEED_UP_EVENT)); // beyond the bound: nothing changes
    EXPECT_DOUBLE_EQ(game->gameTimer->factor, 4.0);
    game->handleEvent(Event(SLOW_DOWN_EVENT));
    EXPECT_DOUBLE_EQ(game->gameTimer->factor, 2.0);
    for (int press = 0; press < 2000; ++press) {
        game->handleEvent(Event(SLOW_DOWN_EVENT));
    }
    EXPECT_DOUBLE_EQ(game->gameTimer->factor, 1.0 / 64.0);
    game->handleEvent(Event(SPEED_UP_EVENT)); // and back up from the slowest
    EXPECT_DOUBLE_EQ(game->gameTimer->factor, 1.0 / 32.0);
}

TEST_F(GameRulesTest, BeforePlayOnlyQuittingCounts) {
    game->playing = false;
    game->player->health = 50;
    for (EventType type : {SPEED_UP_EVENT, SPAWN_UNIT_EVENT, SAVE_EVENT, PLAYER_ATTACK_EVENT}) {
        game->handleEvent(Event(type));
    }
    game->handleEvent(AttackEvent(-3));
    EXPECT_DOUBLE_EQ(game->gameTimer->factor, 1.0);
    EXPECT_TRUE(game->units.empty());
    EXPECT_FALSE(std::filesystem::exists("gamesave.dat"));
    EXPECT_TRUE(game->swordAnimation->finished);
    EXPECT_EQ(game->player->health, 50);
    EXPECT_TRUE(sounds.soundIds.empty());

    game->handleEvent(Event(QUIT_EVENT));
    EXPECT_TRUE(game->quit);
    EXPECT_TRUE(std::filesystem::exists("gamesave.dat"));
}

TEST_F(GameRulesTest, TheRightButtonSavesAndPlayGoesOn) {
    unitAhead(2.0);
    game->handleEvent(Event(SAVE_EVENT));
    EXPECT_FALSE(game->quit);
    EXPECT_EQ(readSave(), "x:22\ny:22\nplayer_health:10\nplayer_mana:10\nplayer_stamina:20\n"
                          "unit:20 22\n");
}

// Spawning adds a tick listener, and a kill removes one, while the event system is in
// the middle of delivering: neither may upset the delivery or the next tick.
TEST_F(GameRulesTest, UnitsComeAndGoWhileEventsAreDelivered) {
    game->listenForRules();
    game->camera->posX = 21.5;
    game->camera->posY = 20.25;
    game->eventSystem->fireEvent(Event(SPAWN_UNIT_EVENT));
    ASSERT_EQ(game->units.size(), 1u);
    EXPECT_DOUBLE_EQ(game->units[0]->x, 21.5);
    EXPECT_DOUBLE_EQ(game->units[0]->y, 20.25);

    Unit* spawned = game->units[0];
    spawned->hurt = true;
    spawned->hurtCounter = 5;
    game->eventSystem->fireEvent(Event(TICK_EVENT));
    EXPECT_EQ(spawned->hurtCounter, 4); // the new unit hears ticks

    spawned->x -= 0.5; // step back from it so that the sword can reach it
    spawned->health = 3;
    game->swordAnimation->finished = true;
    testing::internal::CaptureStdout();
    game->eventSystem->fireEvent(Event(PLAYER_ATTACK_EVENT));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Did 3 damage!\nKilled a unit!\nTHE DEAD SLEEP ONCE MORE\n");
    EXPECT_TRUE(game->units.empty());
    game->eventSystem->fireEvent(Event(TICK_EVENT)); // reaches no deleted unit
}

// --- the units' way to the player ---

TEST_F(GameRulesTest, AUnitFindsItsWayRoundAWallToThePlayer) {
    // A wall across the room between the unit and the player, open at its far end.
    writeLevel(wallAcross(closedRoom("unit:16 22\n"), 19, 27));
    game->loadLevel();
    Unit* unit = game->units[0];
    const double startDistance = game->camera->distanceTo(unit->x, unit->y);
    for (int frame = 0; frame < 200; ++frame) {
        backdate(*unit->timer, 200.0);
        game->updateWorld();
    }
    // Straight at the player it would be stuck against the wall at x = 18.
    EXPECT_GT(unit->y, 22.5);
    EXPECT_EQ(game->mapGrid[static_cast<int>(unit->x)][static_cast<int>(unit->y)], 0);
    EXPECT_LT(game->camera->distanceTo(unit->x, unit->y), startDistance);
}

TEST_F(GameRulesTest, AUnitWithNoWayToThePlayerStandsStill) {
    writeLevel(wallAcross(closedRoom("unit:5 5\n"), 10, MAP_SIZE - 1));
    game->loadLevel();
    for (int frame = 0; frame < 20; ++frame) {
        backdate(*game->units[0]->timer, 200.0);
        game->updateWorld();
    }
    EXPECT_DOUBLE_EQ(game->units[0]->x, 5.0);
    EXPECT_DOUBLE_EQ(game->units[0]->y, 5.0);
}

// --- loading a saved game ---

TEST_F(GameRulesTest, LoadingPutsBackPositionStatisticsAndUnits) {
    writeLevel(closedRoom("unit:3 3\nunit:4 4\n"));
    game->loadLevel();
    writeSave("x:7\ny:9\nplayer_health:55\nplayer_mana:3\nplayer_stamina:12\nunit:8 8\n");
    game->loadGame();
    EXPECT_DOUBLE_EQ(game->camera->posX, 7.5); // the middle of the saved cell
    EXPECT_DOUBLE_EQ(game->camera->posY, 9.5);
    EXPECT_EQ(game->player->health, 55);
    EXPECT_EQ(game->player->mana, 3);
    EXPECT_EQ(game->player->stamina, 12);
    ASSERT_EQ(game->units.size(), 1u);
    EXPECT_DOUBLE_EQ(game->units[0]->x, 8.0);
    EXPECT_EQ(game->units[0]->health, 10);
}

TEST_F(GameRulesTest, WithoutUnitLinesOrASaveTheLevelAndStartStand) {
    writeLevel(closedRoom("unit:3 3\nunit:4 4\n"));
    game->loadLevel();
    game->loadGame(); // no save file at all
    EXPECT_DOUBLE_EQ(game->camera->posX, 22.0);
    EXPECT_EQ(game->units.size(), 2u);

    writeSave("y:4\nplayer_mana:1\n");
    game->loadGame();
    EXPECT_DOUBLE_EQ(game->camera->posX, 22.0);
    EXPECT_DOUBLE_EQ(game->camera->posY, 4.5);
    EXPECT_EQ(game->units.size(), 2u);
}

TEST_F(GameRulesTest, ASaveOfUnitsOutsideTheGridEmptiesTheLevel) {
    writeLevel(closedRoom("unit:3 3\n"));
    game->loadLevel();
    writeSave("x:-4\ny:3000000000\nunit:30 2\nunit:2 -1\n");
    game->loadGame();
    EXPECT_DOUBLE_EQ(game->camera->posX, 22.0);
    EXPECT_DOUBLE_EQ(game->camera->posY, 22.0);
    EXPECT_TRUE(game->units.empty());
}

TEST_F(GameRulesTest, ALevelClearedAndSavedLoadsWithoutItsUnits) {
    writeLevel(closedRoom("unit:3 3\nunit:4 4\n"));
    game->saveGame(); // no unit left
    game->loadLevel();
    ASSERT_EQ(game->units.size(), 2u);
    game->loadGame();
    EXPECT_TRUE(game->units.empty());
}

// A pause stops the world's clocks: after it, a unit's next step, its walk and the
// sword's swing are as far off as they were when it began, however long it lasted; and
// the first frame after it moves the world on by a frame, not by the pause.
TEST_F(GameRulesTest, APauseNeitherAdvancesNorDelaysTheWorldsClocks) {
    Unit* unit = unitAhead(3.0);
    unit->timer->start();
    game->swordAnimation->timer->start();
    game->hud->notify("Game saved");
    backdate(game->hud->noticeTimer, Hud::NOTICE_MS - 200.0);
    game->inputSystem->createSnapshots();
    game->recordedGame->startClock();
    const int64_t pauseCounts = Timer::readFrequency() * 4 / 10;
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // paused
    game->resumePlay();
    EXPECT_LT(game->recordedGame->measureStep(), pauseCounts / 2);
    EXPECT_EQ(game->hud->lines(100, 1).back(), "Game saved"); // its last 200 ms are still to come
    EXPECT_LT(unit->timer->getElapsedMs(), Unit::STEP_INTERVAL_MS);
    EXPECT_LT(unit->animation->timer->getElapsedMs(), unit->animation->frameDuration);
    EXPECT_LT(game->swordAnimation->timer->getElapsedMs(), game->swordAnimation->frameDuration);
    const double x = unit->x;
    game->updateWorld();
    EXPECT_EQ(unit->x, x); // its step was not yet due
}

TEST_F(GameRulesTest, WhatTheGameSavesItLoads) {
    game->camera->posX = 13.7;
    game->camera->posY = 8.2;
    game->player->mana = 4;
    game->player->stamina = 6;
    game->createUnit(5.5, 6.5);
    game->createUnit(25.0, 1.0);
    game->saveGame();
    const std::string saved = readSave();

    for (Unit* unit : game->units) {
        delete unit;
    }
    game->units.clear();
    game->camera->posX = game->camera->posY = 22.0;
    game->player->mana = game->player->stamina = 0;
    game->loadGame();
    game->saveGame();
    EXPECT_EQ(readSave(), saved);
    EXPECT_DOUBLE_EQ(game->camera->posX, 13.5);
}

} // namespace
