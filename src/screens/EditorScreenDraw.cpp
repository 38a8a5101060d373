// The editor drawn: the grid as the map draws it, the marks over it, the palette, the
// side's words and the foot line.
#include "screens/EditorScreen.h"

#include "render/BitmapLock.h"
#include "render/Hud.h"
#include "world/SeenCells.h"

#include <allegro5/allegro_primitives.h>
#include <array>

namespace {

const float SIDE_X = 350.0f;
const float LINE_GAP = 18.0f;

ALLEGRO_COLOR cursorInk() {
    return al_map_rgb(255, 230, 60);
}
ALLEGRO_COLOR problemInk() {
    return al_map_rgb(255, 70, 50);
}

// Every cell shown: the editor sees the whole level.
SeenCells everythingSeen() {
    SeenCells seen;
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            seen.see(x, y);
        }
    }
    return seen;
}

} // namespace

void EditorScreen::draw() const {
    al_clear_to_color(al_map_rgb(0, 0, 0));
    drawGrid();
    drawMarks();
    drawPalette();
    drawSide();
    drawFoot();
}

void EditorScreen::drawGrid() const {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    ALLEGRO_BITMAP* area =
        target != nullptr ? al_create_sub_bitmap(target, GRID_LEFT, GRID_TOP, GRID_SIZE, GRID_SIZE)
                          : nullptr;
    if (area == nullptr) {
        return;
    }
    al_set_target_bitmap(area);
    {
        const BitmapLock lock(area, ALLEGRO_LOCK_WRITEONLY);
        MapView::Look view;
        view.centreX = MAP_SIZE / 2.0;
        view.centreY = MAP_SIZE / 2.0;
        view.cellPixels = CELL;
        static const SeenCells seen = everythingSeen();
        std::array<int*, MAP_SIZE> rows{};
        for (int x = 0; x < MAP_SIZE; ++x) {
            // The map only reads the cells.
            rows[static_cast<std::size_t>(x)] = const_cast<int*>(level.row(x));
        }
        MapView::drawCells(lock.image(), rows.data(), seen, view, look.palette);
    }
    al_set_target_bitmap(target);
    al_destroy_bitmap(area);
}

void EditorScreen::outline(int x, int y, ALLEGRO_COLOR colour, float thickness) const {
    const float left = GRID_LEFT + y * CELL + 0.5f;
    const float top = GRID_TOP + x * CELL + 0.5f;
    al_draw_rectangle(left, top, left + CELL - 1.0f, top + CELL - 1.0f, colour, thickness);
}

void EditorScreen::drawMarks() const {
    const float half = CELL / 2.0f;
    for (const LevelFile::UnitPlace& skull : level.skulls()) {
        const float cx = GRID_LEFT + skull.y * CELL + half;
        const float cy = GRID_TOP + skull.x * CELL + half;
        al_draw_filled_circle(cx, cy, half - 1.5f, al_map_rgb(230, 220, 200));
        al_draw_filled_circle(cx - 1.5f, cy - 0.5f, 1.0f, al_map_rgb(0, 0, 0));
        al_draw_filled_circle(cx + 1.5f, cy - 0.5f, 1.0f, al_map_rgb(0, 0, 0));
    }
    const LevelFile::UnitPlace start = level.start();
    const float sx = GRID_LEFT + start.y * CELL + half;
    const float sy = GRID_TOP + start.x * CELL + half;
    // The start looks north, as play begins.
    al_draw_filled_triangle(sx, sy - half + 1.0f, sx - half + 1.5f, sy + half - 1.5f,
                            sx + half - 1.5f, sy + half - 1.5f, al_map_rgb(80, 230, 90));
    for (const LevelFile::UnitPlace& cell : problemCells) {
        outline(cell.x, cell.y, problemInk(), 1.0f);
    }
    outline(cursor.x, cursor.y, cursorInk(), 2.0f);
}

void EditorScreen::drawPalette() const {
    for (int value = 0; value < 10; ++value) {
        const float left = GRID_LEFT + value * (SWATCH + 5.0f);
        const float top = PALETTE_TOP;
        if (value == 0 || look.textures == nullptr) {
            const ALLEGRO_COLOR c = look.palette.cells[static_cast<std::size_t>(value)];
            al_draw_filled_rectangle(left, top, left + SWATCH, top + SWATCH, c);
        } else {
            const int tile = value + MapView::WALL_TILE_OFFSET;
            al_draw_scaled_bitmap(look.textures, tile * MapView::TILE_SIZE, 0, MapView::TILE_SIZE,
                                  MapView::TILE_SIZE, left, top, SWATCH, SWATCH, 0);
        }
        if (value == wall) {
            al_draw_rectangle(left - 1.5f, top - 1.5f, left + SWATCH + 1.5f, top + SWATCH + 1.5f,
                              cursorInk(), 2.0f);
        }
        if (fonts.text != nullptr) {
            const std::string digit = std::to_string(value);
            al_draw_text(fonts.text, al_map_rgb(0, 0, 0), left + 3.0f, top + 1.0f, 0,
                         digit.c_str());
            al_draw_text(fonts.text, Hud::ink(), left + 2.0f, top, 0, digit.c_str());
        }
    }
}

void EditorScreen::drawSide() const {
    if (fonts.text == nullptr) {
        return;
    }
    const std::string name = level.name().empty() ? "(no name yet)" : level.name();
    const std::string cell = "Cell " + std::to_string(cursor.x) + " " + std::to_string(cursor.y) +
                             (level.changed() ? "   unsaved" : "");
    const std::size_t skulls = level.skulls().size();
    const std::size_t steps = level.undoSteps();
    const std::string counts = std::to_string(skulls) + (skulls == 1 ? " skull, " : " skulls, ") +
                               std::to_string(steps) + (steps == 1 ? " step" : " steps") +
                               " to undo";
    const std::string lines[] = {name,
                                 cell,
                                 counts,
                                 "",
                                 "1-9 wall, 0 floor",
                                 "Left button, Space: paint",
                                 "Right button, Backspace: floor",
                                 "K skull, P start",
                                 "Ctrl+Z undo, Ctrl+Y redo",
                                 "F5 play it now",
                                 "Ctrl+S save",
                                 "Escape leave",
                                 "",
                                 whereLine()};
    float y = GRID_TOP;
    for (const std::string& line : lines) {
        al_draw_text(fonts.text, y == GRID_TOP ? cursorInk() : Hud::ink(), SIDE_X, y, 0,
                     line.c_str());
        y += LINE_GAP;
    }
}

std::string EditorScreen::footLine() const {
    switch (mode) {
    case Mode::Naming:
        return "Name of the level: " + typedName + "_   " +
               (nameWanted ? "(type a name first, or Escape)" : "(Enter saves, Escape goes back)");
    case Mode::AskingLeave:
        return "Leave without saving the changes? Y leaves, N stays";
    default:
        if (noteFrames > 0) {
            return note;
        }
        return problemSummary.empty() ? "Nothing wrong: every skull can reach the start"
                                      : problemSummary;
    }
}

void EditorScreen::drawFoot() const {
    if (fonts.text == nullptr) {
        return;
    }
    const bool asking = mode != Mode::Editing;
    const bool problem = !asking && noteFrames == 0 && !problemSummary.empty();
    const ALLEGRO_COLOR ink = asking ? cursorInk() : problem ? problemInk() : Hud::ink();
    al_draw_text(fonts.text, ink, GRID_LEFT, PALETTE_TOP + SWATCH + 6.0f, 0, footLine().c_str());
}
