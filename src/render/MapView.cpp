#include "render/MapView.h"

#include "render/BitmapLock.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int TILE_SIZE = MapView::TILE_SIZE;
const int WALL_TILE_OFFSET = MapView::WALL_TILE_OFFSET;
const double UNIT = 1 << MapView::SHIFT;

int64_t inSteps(double cells) {
    return std::llround(cells * UNIT);
}

ALLEGRO_COLOR meanOfTile(const LockedImage& strip, int tile) {
    double red = 0.0, green = 0.0, blue = 0.0;
    for (int y = 0; y < TILE_SIZE; ++y) {
        for (int x = 0; x < TILE_SIZE; ++x) {
            const ALLEGRO_COLOR texel = strip.read(tile * TILE_SIZE + x, y);
            red += texel.r;
            green += texel.g;
            blue += texel.b;
        }
    }
    const double count = TILE_SIZE * TILE_SIZE;
    return al_map_rgb_f(static_cast<float>(red / count), static_cast<float>(green / count),
                        static_cast<float>(blue / count));
}

// One pixel of the map: what the cell under it shows, or false for what stays unseen.
struct CellColours {
    LockedImage::Pixel cells[10];
    LockedImage::Pixel grid;
    LockedImage::Pixel unseen;
};

// The mean of two stored words, byte by byte, rounding down: the map half through.
uint32_t halfway(uint32_t a, uint32_t b) {
    return ((a ^ b) & 0xfefefefeu) / 2 + (a & b);
}

} // namespace

MapView::Steps MapView::stepsFor(const Look& look, int32_t width, int32_t height) {
    const double length = std::hypot(look.upX, look.upY);
    const double upX = length > 0.0 ? look.upX / length : -1.0;
    const double upY = length > 0.0 ? look.upY / length : 0.0;
    // Right of up, as the view's camera plane lies right of its direction.
    const double rightX = upY, rightY = -upX;
    const double perPixel = 1.0 / std::max(look.cellPixels, 1.0);
    Steps steps;
    steps.rightX = inSteps(rightX * perPixel);
    steps.rightY = inSteps(rightY * perPixel);
    steps.downX = inSteps(-upX * perPixel);
    steps.downY = inSteps(-upY * perPixel);
    // The centre of pixel (0, 0), half a pixel in from the frame's corner.
    const double fromCentreX = 0.5 - width / 2.0;
    const double fromCentreY = 0.5 - height / 2.0;
    steps.originX = inSteps(look.centreX + (rightX * fromCentreX - upX * fromCentreY) * perPixel);
    steps.originY = inSteps(look.centreY + (rightY * fromCentreX - upY * fromCentreY) * perPixel);
    return steps;
}

void MapView::toScreen(const Look& look, int32_t width, int32_t height, double worldX,
                       double worldY, float& screenX, float& screenY) {
    const double length = std::hypot(look.upX, look.upY);
    const double upX = length > 0.0 ? look.upX / length : -1.0;
    const double upY = length > 0.0 ? look.upY / length : 0.0;
    const double dx = worldX - look.centreX, dy = worldY - look.centreY;
    screenX = static_cast<float>(width / 2.0 + (upY * dx - upX * dy) * look.cellPixels);
    screenY = static_cast<float>(height / 2.0 - (upX * dx + upY * dy) * look.cellPixels);
}

MapView::Palette MapView::paletteOf(ImageBuffer* textures) {
    Palette palette;
    palette.cells.fill(al_map_rgb(120, 112, 100));
    palette.cells[0] = al_map_rgb(30, 27, 24);
    palette.grid = al_map_rgb(70, 64, 56);
    palette.unseen = al_map_rgb(0, 0, 0);
    const BitmapLock lock(textures != nullptr ? textures->bitmap : nullptr, ALLEGRO_LOCK_READONLY);
    if (!lock.locked()) {
        return palette;
    }
    const int tiles = lock.image().width() / TILE_SIZE;
    for (int wall = 1; wall < 10 && wall + WALL_TILE_OFFSET < tiles; ++wall) {
        palette.cells[static_cast<std::size_t>(wall)] =
            meanOfTile(lock.image(), wall + WALL_TILE_OFFSET);
    }
    return palette;
}

namespace {

// Each cell's slot in a table with a margin of one unseen cell all round, where every
// cell outside the grid falls: neighbours outside the grid share a slot, but they are
// unseen, and no border is drawn in the unseen.
const int SLOTS_ACROSS = MAP_SIZE + 2;
const uint8_t UNSEEN = 10;

int slotOf(int cellX, int cellY) {
    return (std::clamp(cellX, -1, MAP_SIZE) + 1) * SLOTS_ACROSS + std::clamp(cellY, -1, MAP_SIZE) +
           1;
}

// What each slot shows: a cell's value (0 floor, 1 to 9 walls) once seen, or UNSEEN.
std::array<uint8_t, SLOTS_ACROSS * SLOTS_ACROSS> slotKinds(int* const* grid,
                                                           const SeenCells& seen) {
    std::array<uint8_t, SLOTS_ACROSS * SLOTS_ACROSS> kinds;
    kinds.fill(UNSEEN);
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            if (seen.seen(x, y)) {
                kinds[static_cast<std::size_t>(slotOf(x, y))] =
                    static_cast<uint8_t>(std::clamp(grid[x][y], 0, 9));
            }
        }
    }
    return kinds;
}

} // namespace

void MapView::drawCells(const LockedImage& frame, int* const* grid, const SeenCells& seen,
                        const Look& look, const Palette& palette) {
    const Steps steps = stepsFor(look, frame.width(), frame.height());
    CellColours colours;
    for (std::size_t i = 0; i < palette.cells.size(); ++i) {
        colours.cells[i] = frame.encode(palette.cells[i]);
    }
    colours.grid = frame.encode(palette.grid);
    colours.unseen = frame.encode(palette.unseen);
    const auto kinds = slotKinds(grid, seen);
    const bool blend = look.overlay && frame.isDirect();
    // The slots of the row above, for the grid's borders; first those of the row before
    // the frame's first.
    std::vector<int> above(static_cast<std::size_t>(std::max(frame.width(), 0)));
    for (int32_t x = 0; x < frame.width(); ++x) {
        above[static_cast<std::size_t>(x)] =
            slotOf(cellOf(steps.originX + x * steps.rightX - steps.downX),
                   cellOf(steps.originY + x * steps.rightY - steps.downY));
    }
    for (int32_t y = 0; y < frame.height(); ++y) {
        int64_t worldX = steps.originX + y * steps.downX;
        int64_t worldY = steps.originY + y * steps.downY;
        // The slot of the pixel to the left.
        int left = slotOf(cellOf(worldX - steps.rightX), cellOf(worldY - steps.rightY));
        for (int32_t x = 0; x < frame.width();
             ++x, worldX += steps.rightX, worldY += steps.rightY) {
            const int slot = slotOf(cellOf(worldX), cellOf(worldY));
            int& up = above[static_cast<std::size_t>(x)];
            const bool border = slot != left || slot != up;
            left = up = slot;
            const uint8_t kind = kinds[static_cast<std::size_t>(slot)];
            if (kind == UNSEEN) {
                if (!look.overlay) {
                    frame.put(x, y, colours.unseen);
                }
                continue;
            }
            const LockedImage::Pixel& pixel =
                look.grid && border ? colours.grid : colours.cells[kind];
            if (blend) {
                LockedImage::Pixel mixed = pixel;
                mixed.bits = halfway(frame.word(x, y), pixel.bits);
                frame.put(x, y, mixed);
            } else {
                frame.put(x, y, pixel);
            }
        }
    }
}
