// How long the software drawing of one frame takes, headless: the shipped level and
// assets drawn into a 600 by 400 memory bitmap, by the game's passes and beside them by
// the plain per-pixel passes the tests keep as their reference. Run from the repository
// root (`make bench`), since the game reads assets/ and levels/ from there.
#include "TestSupport.h"
#include "game/Game.h"
#include "game/PlayView.h"
#include "game/SwordSway.h"
#include "reference/PlainCameraPasses.h"

#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iostream>

namespace {

const int WIDTH = 600;
const int HEIGHT = 400;

// One game for the whole run, standing at the start of the shipped level.
Game* startGame() {
    if (!al_init() || !al_init_image_addon() || !al_init_primitives_addon()) {
        std::cerr << "Allegro could not start" << std::endl;
        std::exit(1);
    }
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    Game* game = new Game();
    game->displaySystem->width = WIDTH;
    game->displaySystem->height = HEIGHT;
    if (!game->loadAssets()) {
        std::exit(1);
    }
    game->createWorld();
    game->loadLevel();
    game->camera->posX = 22.0;
    game->camera->posY = 22.0;
    game->camera->init(HEIGHT, WIDTH, game->mapGrid);
    game->framesPerSecond = 60.0;
    return game;
}

Game& game() {
    static Game* instance = startGame();
    return *instance;
}

ALLEGRO_BITMAP* frameBitmap() {
    game(); // Allegro must be running first
    static ALLEGRO_BITMAP* bitmap = al_create_bitmap(WIDTH, HEIGHT);
    return bitmap;
}

// Where the units of a benchmark stand.
enum class Placement {
    Spread, // over the view ahead of the start, one to four and a half cells away
    Crowd,  // all about one cell ahead
};

// Swaps the level's units for `count` units placed as asked, and puts them back afterwards.
class UnitsInView {
  public:
    UnitsInView(int count, Placement placement) : saved(game().units) {
        game().units.clear();
        for (int i = 0; i < count; ++i) {
            if (placement == Placement::Crowd) {
                game().createUnit(21.0 - 0.002 * i, 22.0 + 0.003 * (i % 7 - 3));
                continue;
            }
            const double ahead = 1.0 + 3.5 * (i % 10) / 9.0;
            const double aside = (i / 10 % 5 - 2) * 0.15 * ahead;
            game().createUnit(22.0 - ahead, 22.0 + aside);
        }
    }
    ~UnitsInView() {
        for (Unit* unit : game().units) {
            delete unit;
        }
        game().units = saved;
    }

  private:
    std::vector<Unit*> saved;
};

// The billboard pass as the game ran it before it drew near to far: one plain
// drawSprite per unit, farthest first.
void drawUnitsPlainly() {
    Game& g = game();
    if (g.units.empty()) {
        return;
    }
    if (g.view->orderUnits()) {
        PlainCameraPasses::drawSprite(*g.camera, g.units.back());
        return;
    }
    for (Unit* unit : g.units) {
        PlainCameraPasses::drawSprite(*g.camera, unit);
    }
}

void wallPass(benchmark::State& state) {
    const BitmapLock frame(asTarget(frameBitmap()), ALLEGRO_LOCK_READWRITE);
    ImageBuffer* texture = game().bufferManager->getBuffer(0);
    for (auto _ : state) {
        game().camera->drawWalls(texture, frame.image());
    }
}

// The passes on the calling thread alone, as before they shared bands with helpers, for
// the figures side by side.
class OneCore {
  public:
    OneCore() : workers(game().camera->workers) { game().camera->workers = nullptr; }
    ~OneCore() { game().camera->workers = workers; }

  private:
    WorkerPool* workers;
};

void wallPassOneCore(benchmark::State& state) {
    const OneCore oneCore;
    wallPass(state);
}

void wallPassPlain(benchmark::State& state) {
    const BitmapLock frame(asTarget(frameBitmap()), ALLEGRO_LOCK_READWRITE);
    ImageBuffer* texture = game().bufferManager->getBuffer(0);
    for (auto _ : state) {
        PlainCameraPasses::drawWalls(*game().camera, texture);
    }
}

template <Placement placement> void spritePass(benchmark::State& state) {
    UnitsInView units(static_cast<int>(state.range(0)), placement);
    const BitmapLock frame(asTarget(frameBitmap()), ALLEGRO_LOCK_READWRITE);
    game().camera->drawWalls(game().bufferManager->getBuffer(0), frame.image());
    for (auto _ : state) {
        game().view->drawUnits(frame.image());
    }
}

template <Placement placement> void spritePassPlain(benchmark::State& state) {
    UnitsInView units(static_cast<int>(state.range(0)), placement);
    const BitmapLock frame(asTarget(frameBitmap()), ALLEGRO_LOCK_READWRITE);
    game().camera->drawWalls(game().bufferManager->getBuffer(0), frame.image());
    for (auto _ : state) {
        drawUnitsPlainly();
    }
}

void billboards(benchmark::State& state) {
    spritePass<Placement::Spread>(state);
}
void billboardsOneCore(benchmark::State& state) {
    const OneCore oneCore;
    spritePass<Placement::Spread>(state);
}
void billboardsPlain(benchmark::State& state) {
    spritePassPlain<Placement::Spread>(state);
}
void crowdOneCellAhead(benchmark::State& state) {
    spritePass<Placement::Crowd>(state);
}
void crowdOneCellAheadOneCore(benchmark::State& state) {
    const OneCore oneCore;
    spritePass<Placement::Crowd>(state);
}
void crowdOneCellAheadPlain(benchmark::State& state) {
    spritePassPlain<Placement::Crowd>(state);
}

// Everything a frame of play does but the wait and the device reads: the tick, the
// units, the sword, the wall and billboard passes, the sword blit.
void wholeFrame(benchmark::State& state) {
    const SwordSway sway(HEIGHT);
    al_set_target_bitmap(frameBitmap());
    for (auto _ : state) {
        game().updateWorld();
        game().view->drawFrame(sway);
    }
}

void wholeFrameOneCore(benchmark::State& state) {
    const OneCore oneCore;
    wholeFrame(state);
}

// The whole frame with the map open in place of the view, the whole level seen, turning
// with the player, at the zoom where the most cells and grid lines show: it should cost no
// more than the frame of the view.
void wholeFrameWithTheMap(benchmark::State& state) {
    const SwordSway sway(HEIGHT);
    al_set_target_bitmap(frameBitmap());
    MapScreen& map = *game().mapScreen;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            map.seen.see(x, y);
        }
    }
    map.open = true;
    map.rotate = true;
    map.zoom = 0;
    for (auto _ : state) {
        game().updateWorld();
        game().camera->markSeen(map.seen);
        game().view->drawFrame(sway);
    }
    map.open = false;
    map.rotate = false;
}

} // namespace

BENCHMARK(wallPass)->Unit(benchmark::kMillisecond);
BENCHMARK(wallPassOneCore)->Unit(benchmark::kMillisecond);
BENCHMARK(wallPassPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(billboards)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(billboardsOneCore)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(billboardsPlain)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(crowdOneCellAhead)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(crowdOneCellAheadOneCore)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(crowdOneCellAheadPlain)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(wholeFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(wholeFrameOneCore)->Unit(benchmark::kMillisecond);
BENCHMARK(wholeFrameWithTheMap)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
