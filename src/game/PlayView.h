#pragma once

#include "core/Tally.h"
#include "core/Timer.h"
#include "core/Trackable.h"
#include "render/Animation.h"
#include "render/Camera.h"
#include "render/Hud.h"
#include "render/ImageBuffer.h"
#include "render/LockedImage.h"
#include "render/MapView.h"
#include "screens/MapScreen.h"
#include "units/Unit.h"

#include <allegro5/allegro_font.h>
#include <utility>
#include <vector>

class SwordSway;

// What the player sees of play: the frame (walls, floor and ceiling, the units, the sword,
// the damage flash and the HUD), drawn into the current target. It owns nothing it draws.
class PlayView : public Trackable {
  public:
    // Everything a frame shows, owned by the game.
    struct Scene {
        Camera* camera = nullptr;
        ImageBuffer* texture = nullptr; // walls, floor and ceiling
        Animation* sword = nullptr;
        Unit* player = nullptr;
        Hud* hud = nullptr;
        std::vector<Unit*>* units = nullptr;
        const ALLEGRO_FONT* font = nullptr; // the HUD's lines
        MapScreen* map = nullptr;
        int** grid = nullptr;
    };

    // The passes' threads are made here, once, and lent to the camera.
    explicit PlayView(const Scene& scene)
        : scene(scene), mapPalette(MapView::paletteOf(scene.texture)),
          workers(new WorkerPool(WorkerPool::helpersForThisMachine())) {
        scene.camera->workers = workers;
    }
    ~PlayView() {
        scene.camera->workers = nullptr;
        delete workers;
    }
    PlayView(const PlayView&) = delete;
    PlayView& operator=(const PlayView&) = delete;

    // How strongly a blow reddens the view: 1 the full flash, 0 none.
    double flashShare = 1.0;
    // How the level is going, for the map's foot and the panel when it is cleared.
    Tally tally;
    // Said under the tally once a level of the crypt is cleared: "N: on to ...".
    std::string wayOn;
    // The tally shown over play for a few seconds, from a moment after now: the level is
    // cleared.
    void showTally();
    void hideTally() { tallyShown = false; }
    static constexpr double TALLY_DELAY_MS = 1500.0;
    static constexpr double TALLY_MS = 6000.0;
    // Follows the world's clock, as the HUD's do.
    Timer tallyTimer;

    // The player has fallen: for FALL_MS the view sinks into the dark and reddens (as
    // strongly as the damage flash is set to), and then the fall is over.
    void startFall();
    // A blow from this side of the view: -1 the left, +1 the right, 0 ahead; behind when
    // behind is set. Its edge reddens for a moment, as strongly as the flash is set to.
    void blowFrom(double side, bool behind);
    static constexpr double BLOW_EDGE_MS = 700.0;
    Timer blowTimer; // follows the world's clock
    void endFall() { falling = false; }
    bool fallOver() const { return falling && fallTimer.getElapsedMs() >= FALL_MS; }
    static constexpr double FALL_MS = 1000.0;
    Timer fallTimer; // follows the world's clock

    // The frame of play; underScreen: a screen is drawn over it (the pause screen), which
    // says the tally itself, so the tally's panel and the frame rate stay off.
    void drawFrame(const SwordSway& sway, bool underScreen = false);
    // Where the panel's lines stand now; none while it is not shown (nor under a screen
    // or the open map).
    std::vector<PlacedText> tallyPanelLines(bool underScreen) const;
    // Where the HUD's lines stand in this frame.
    Hud::Layout hudLayout(bool underScreen) const;
    // Farthest unit first, nearest last; hides units out of sight range. True when the
    // nearest unit in front of the camera stands so close that it alone is drawn.
    bool orderUnits();
    // After ordering: the nearest unit in front of the camera, or null.
    Unit* nearestInFront() const;
    // The units' billboards into the locked frame, after its wall pass.
    void drawUnits(const LockedImage& frame);
    // The same under the map's overlay, which leaves the world's order of the units as
    // it is, as the full map does: the map's mode is the player's, not the world's.
    void drawUnitsUnderMap(const LockedImage& frame);

  private:
    void drawMap(bool overTheView) const;
    MapScreen::Player mapPlayer() const;
    bool mapOpen() const { return scene.map != nullptr && scene.map->open; }
    void drawTallyPanel(bool underScreen) const;
    static float panelLeft();
    Hud::Frame hudFrame(bool underScreen) const;
    bool orderForDrawing(std::vector<Unit*>& units);
    Unit* nearestInFrontOf(const std::vector<Unit*>& units) const;
    void drawUnitsOf(std::vector<Unit*>& units, const LockedImage& frame);
    void drawFall() const;
    void drawBlowEdge() const;
    void drawSword(const SwordSway& sway) const;
    void drawDamageFlash() const;

    Scene scene;
    // Reused every frame by orderUnits, so that ordering allocates nothing.
    std::vector<std::pair<double, Unit*>> unitDistances;
    std::vector<Unit*> unitsUnderMap;
    MapView::Palette mapPalette;
    WorkerPool* workers;
    bool tallyShown = false;
    bool falling = false;
    bool blowShown = false;
    double blowSide = 0.0;
    bool blowBehind = false;
};
