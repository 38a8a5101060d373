#include "reference/PlainMap.h"

#include "world/MapGrid.h"

#include <algorithm>
#include <vector>

namespace {

// One crossing of a grid line along a ray: how far along it, and which axis it steps.
struct Crossing {
    double along;
    bool stepsX;
};

// The first `count` crossings of the lines of one axis, in order along the ray.
void crossingsOf(double position, double direction, bool stepsX, int count,
                 std::vector<Crossing>& crossings) {
    if (direction == 0.0) {
        return; // parallel to those lines: it never crosses one
    }
    const int cell = static_cast<int>(position);
    for (int k = 0; k < count; ++k) {
        const double line = direction > 0 ? cell + 1.0 + k : static_cast<double>(cell) - k;
        crossings.push_back({(line - position) / direction, stepsX});
    }
}

} // namespace

std::set<std::pair<int, int>> PlainMap::seenCells(const Camera& camera) {
    std::set<std::pair<int, int>> seen;
    seen.insert({static_cast<int>(camera.posX), static_cast<int>(camera.posY)});
    for (int column = 0; column < camera.screenWidth; column += camera.columnWidth) {
        const double cameraX = 2.0 * column / camera.screenWidth - 1.0;
        const double rayX = camera.dirX + camera.planeX * cameraX;
        const double rayY = camera.dirY + camera.planeY * cameraX;
        std::vector<Crossing> crossings;
        crossingsOf(camera.posX, rayX, true, camera.maxRaySteps, crossings);
        crossingsOf(camera.posY, rayY, false, camera.maxRaySteps, crossings);
        // Nearest first; at a corner, the line across y first, as the wall pass does.
        std::stable_sort(
            crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) {
                return a.along < b.along || (a.along == b.along && !a.stepsX && b.stepsX);
            });
        int x = static_cast<int>(camera.posX);
        int y = static_cast<int>(camera.posY);
        const int steps = std::min<int>(camera.maxRaySteps, static_cast<int>(crossings.size()));
        for (int step = 0; step < steps; ++step) {
            if (crossings[static_cast<std::size_t>(step)].stepsX) {
                x += rayX > 0 ? 1 : -1;
            } else {
                y += rayY > 0 ? 1 : -1;
            }
            if (!MapGrid::contains(x, y)) {
                break;
            }
            seen.insert({x, y});
            if (camera.grid[x][y] > 0) {
                break;
            }
        }
    }
    return seen;
}

void PlainMap::drawCells(int* const* grid, const SeenCells& seen, const MapView::Look& look,
                         const MapView::Palette& palette) {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    const int width = al_get_bitmap_width(target);
    const int height = al_get_bitmap_height(target);
    const MapView::Steps steps = MapView::stepsFor(look, width, height);
    const auto cellAt = [&](int64_t x, int64_t y) {
        return std::make_pair(MapView::cellOf(steps.originX + x * steps.rightX + y * steps.downX),
                              MapView::cellOf(steps.originY + x * steps.rightY + y * steps.downY));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto cell = cellAt(x, y);
            if (!seen.seen(cell.first, cell.second)) {
                if (!look.overlay) {
                    al_put_pixel(x, y, palette.unseen);
                }
                continue;
            }
            const bool border = cell != cellAt(x - 1, y) || cell != cellAt(x, y - 1);
            const int value = std::clamp(grid[cell.first][cell.second], 0, 9);
            ALLEGRO_COLOR colour = look.grid && border ? palette.grid : palette.cells[value];
            if (look.overlay) {
                // Half the view's and half the map's, each channel's byte rounded down.
                unsigned char r, g, b, a, mr, mg, mb, ma;
                al_unmap_rgba(al_get_pixel(target, x, y), &r, &g, &b, &a);
                al_unmap_rgba(colour, &mr, &mg, &mb, &ma);
                colour = al_map_rgba((r + mr) / 2, (g + mg) / 2, (b + mb) / 2, (a + ma) / 2);
            }
            al_put_pixel(x, y, colour);
        }
    }
}
