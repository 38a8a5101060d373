#pragma once

#include "core/MapCommand.h"
#include "core/PlayerCommand.h"
#include "core/Tally.h"
#include "core/Trackable.h"
#include "render/LockedImage.h"
#include "render/MapView.h"
#include "render/PlacedText.h"
#include "screens/Screen.h"
#include "world/SeenCells.h"

#include <string>
#include <vector>

// The map of what the player has seen, opened over play with Tab: full (in place of the
// view, while the world goes on) or half through over it. It follows the player or pans
// freely, keeps north up or turns with the player, zooms from the whole level to about
// five cells across, shows the grid or not, and the player's numbered marks. It holds the
// cells seen, which the save keeps once the map has been opened.
class MapScreen : public Trackable {
  public:
    // Where the player stands and looks, and a skull the view shows now.
    struct Player {
        double x = 0.0, y = 0.0, dirX = -1.0, dirY = 0.0;
    };
    struct Skull {
        double x = 0.0, y = 0.0;
    };

    explicit MapScreen(const Screen::Fonts& fonts) : fonts(fonts) {}

    // A new game: nothing seen, the map closed and looked at as it first is.
    void reset();
    // Play's asks of the map, recorded with play: open or close, a mark, the marks cleared.
    void take(const PlayerCommand& command, const Player& player);
    // How the open map is looked at.
    void look(const MapCommand& command, const Player& player);
    // While it pans freely the arrows and the pointer are the map's.
    bool takesArrows() const { return open && !follow; }

    MapView::Look lookFor(const Player& player) const;
    // The cells, into the locked frame.
    void drawCells(const LockedImage& frame, int* const* grid, const Player& player,
                   const MapView::Palette& palette) const;
    // The player's arrow, the skulls seen now, the marks and the foot with its keys, the
    // tally and, once the level is cleared, the way on; into the current target once it
    // is unlocked.
    void drawMarkers(const Player& player, const std::vector<Skull>& skulls, const Tally& tally,
                     const std::string& wayOn) const;
    // The foot's lines, and how high it is: a line more while there is a way on.
    std::vector<PlacedText> footLines(const Tally& tally, const std::string& wayOn) const;
    static int footHeight(const std::string& wayOn);
    // Each mark's number, beside its box.
    std::vector<PlacedText> markNumbers(const Player& player) const;
    // Where a mark's box is drawn: centred on the point where it was put.
    PlacedText::Box markBox(const Player& player, const SeenCells::Mark& mark) const;

    // The zoom steps, pixels a cell spans: the whole level fits the frame's height at
    // the first, about five cells its width at the last.
    static constexpr double ZOOMS[] = {13.0, 16.0, 20.0, 25.0, 32.0, 40.0, 50.0, 64.0, 84.0, 120.0};
    static constexpr int ZOOM_COUNT = sizeof ZOOMS / sizeof ZOOMS[0];
    static constexpr int FIRST_ZOOM = 2;
    static constexpr int FOOT_HEIGHT = 36; // the keys and the tally
    static constexpr int FOOT_LINE = 16;

    bool open = false;
    bool overlay = false; // the player's choice on the Options screen
    bool follow = true;
    bool rotate = false;
    bool grid = true;
    int zoom = FIRST_ZOOM;
    // Where a freely panned map is centred.
    double centreX = 15.0, centreY = 15.0;
    SeenCells seen;

  private:
    void drawArrow(const Player& player, const MapView::Look& look) const;
    void drawFoot(const Tally& tally, const std::string& wayOn) const;

    Screen::Fonts fonts;
};
