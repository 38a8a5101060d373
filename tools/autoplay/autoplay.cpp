// A player that plays the game's own rules without a window, for recorded games a person
// would take long to play by hand: it walks the shipped level toward the nearest skull
// along the skulls' own path search, turns to face it and swings, frame by frame at sixty
// frames a second, and writes what it did as a demo the game replays exactly.
//
//   autoplay SKILL DEMO [--level FILE] [--stand | --swing [--sidestep N]] [--frames N]   (from the
//   repository root)
//
// --stand keeps the player still, swinging at nothing, to time how long a standing player
// lasts; --swing keeps the player still too, swinging whenever the sword is at rest, for a
// fight with what comes; --sidestep N, with --swing, steps right for N frames once the
// first blow is taken, so that the skull stands at the player's diagonal, still in reach.
// It prints the frames played, how the game ended and the tally.
#include "core/Event.h"
#include "core/Skill.h"
#include "game/Game.h"
#include "world/DemoRecorder.h"
#include "world/NumberParser.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <cmath>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const int64_t FRAME_NS = 16666667;
const double PI = 3.14159265358979323846;

// The signed angle from the view's direction to the point, + to the left.
double angleTo(const Camera& camera, double x, double y) {
    const double wanted = std::atan2(y - camera.posY, x - camera.posX);
    const double facing = std::atan2(camera.dirY, camera.dirX);
    double angle = wanted - facing;
    while (angle > PI) {
        angle -= 2 * PI;
    }
    while (angle < -PI) {
        angle += 2 * PI;
    }
    return angle;
}

Unit* nearestSkull(Game& game) {
    Unit* nearest = nullptr;
    for (Unit* unit : game.units) {
        if (nearest == nullptr || game.camera->distanceTo(unit->x, unit->y) <
                                      game.camera->distanceTo(nearest->x, nearest->y)) {
            nearest = unit;
        }
    }
    return nearest;
}

// Toward the skull: by the path search's next cell while it is far, straight at it near;
// turning by the keys, walking when roughly facing, swinging when it is in reach ahead.
PlayerCommand hunt(Game& game) {
    PlayerCommand command;
    Unit* skull = nearestSkull(game);
    if (skull == nullptr) {
        return command;
    }
    const Camera& camera = *game.camera;
    const double distance = camera.distanceTo(skull->x, skull->y);
    double aimX = skull->x, aimY = skull->y;
    if (distance > 1.5) {
        int32_t wayX = -1, wayY = -1;
        game.pathFinder->findPath(NumberParser::truncateToInt(camera.posX),
                                  NumberParser::truncateToInt(camera.posY),
                                  NumberParser::truncateToInt(skull->x),
                                  NumberParser::truncateToInt(skull->y), wayX, wayY);
        if (wayX >= 0) {
            aimX = wayX + 0.5;
            aimY = wayY + 0.5;
        }
    }
    const double angle = angleTo(camera, aimX, aimY);
    const double turnStep = camera.rotSpeed > 0 ? camera.rotSpeed : 0.05;
    if (std::fabs(angle) > turnStep / 2) {
        command.keyTurn = angle > 0 ? 1 : -1;
    }
    if (distance > 0.45 && std::fabs(angle) < 0.35) {
        command.forward = 1;
    } else if (distance < 0.25) {
        command.forward = -1; // a skull on the player's own spot cannot be struck
    }
    command.sword = distance <= 0.62 && std::fabs(angle) < 0.6 && game.swordAnimation->finished;
    return command;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || Skill::indexOf(argv[1]) < 0) {
        std::cerr << "usage: autoplay SKILL DEMO [--level FILE] [--stand | --swing [--sidestep N]] "
                     "[--frames N]\n";
        return 2;
    }
    const int skill = Skill::indexOf(argv[1]);
    const std::string demoPath = argv[2];
    bool stand = false;
    bool swing = false;
    int sidestep = 0;
    int64_t frameLimit = 60 * 60 * 5;
    std::string level;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--stand") == 0) {
            stand = true;
        } else if (std::strcmp(argv[i], "--swing") == 0) {
            stand = swing = true;
        } else if (std::strcmp(argv[i], "--sidestep") == 0 && i + 1 < argc) {
            sidestep = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            frameLimit = std::atoll(argv[++i]);
        } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
            level = argv[++i];
        }
    }
    if (!al_init() || !al_init_image_addon()) {
        return 1;
    }
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    Game* game = new Game();
    game->displaySystem->width = 600;
    game->displaySystem->height = 400;
    if (!level.empty()) {
        game->files.levelPath = level;
    }
    if (!game->loadAssets()) {
        return 1;
    }
    game->createWorld();
    game->listenForRules();
    game->inputSystem->createSnapshots();
    game->framesPerSecond = 60.0;
    game->playerSettings->settings.skill = skill;
    game->startPlay(false);
    game->startPlayLoop();

    Demo header;
    header.gameVersion = CommandLine::gameVersion();
    header.levelName = game->files.levelPath.substr(game->files.levelPath.find_last_of('/') + 1);
    header.levelHash = game->files.levelHash;
    header.skillWord = Skill::at(skill).word;
    header.knobs = game->recordedGame->knobs;
    DemoRecorder recorder;
    std::string reason;
    if (!recorder.start(demoPath, header, reason)) {
        std::cerr << "cannot record: " << reason << "\n";
        return 1;
    }
    int64_t frames = 0;
    const char* ending = "time ran out";
    for (; frames < frameLimit; ++frames) {
        game->worldClock->advance(FRAME_NS);
        game->updateWorld();
        PlayerCommand command = stand ? PlayerCommand() : hunt(*game);
        command.sword = command.sword || (swing && game->swordAnimation->finished);
        if (sidestep > 0 && game->tally().blowsTaken > 0) {
            command.strafe = 1;
            --sidestep;
        }
        game->inputSystem->fire(command);
        game->view->orderUnits();    // as the frame's drawing orders them, farthest first
        game->camera->moved = false; // and as its wall pass leaves these
        game->camera->running = false;
        game->recordedGame->recordFrame(FRAME_NS, command);
        recorder.frame({FRAME_NS, command, game->recordedGame->worldChecksum()});
        if (game->units.empty() || game->fallen()) {
            ending = game->units.empty() ? "cleared" : "fell";
            ++frames;
            break;
        }
    }
    recorder.finish();
    const Tally tally = game->tally();
    std::cout << Skill::at(skill).word << ": " << frames << " frames, " << ending << " at "
              << Tally::clock(tally.timeMs) << ", health " << game->player->health << "; "
              << tally.line() << std::endl;
    delete game;
    return 0;
}
