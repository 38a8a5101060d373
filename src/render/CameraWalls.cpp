// The wall pass: one ray per column of blocks, the wall slice it meets, and the floor
// and ceiling below and above that slice, all darker with distance.
#include "render/Camera.h"

#include "render/BitmapLock.h"
#include "render/SteppedQuotient.h"
#include "world/MapGrid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

const int TILE_SIZE = 64;
const int FLOOR_TILE = 0;
const int CEILING_TILE = 2;
const int WALL_TILE_OFFSET = 2; // a wall of value v shows tile v + 2
const double SIDE_SHADE = 1.25;

// Which texel of a tile a world coordinate falls on; its fraction picks the texel.
int tileTexel(double coordinate) {
    if (std::isnan(coordinate)) {
        return 0; // the floor under a wall at distance 0, which is never on screen
    }
    const double scaled = std::clamp(coordinate * TILE_SIZE, -1e9, 1e9);
    // The remainder on division by the tile size, taken toward minus infinity.
    return static_cast<int>(scaled) & (TILE_SIZE - 1);
}

// Along one axis: the ray's distance to its first cell border, and which way it steps.
double firstBorder(double position, int cell, double direction, double delta, int& step) {
    if (direction < 0) {
        step = -1;
        return (position - cell) * delta;
    }
    step = 1;
    return (cell + 1.0 - position) * delta;
}

} // namespace

// Everything one ray column needs, from the cast to the floor below its wall.
struct Camera::Ray {
    int32_t column = 0;
    double dirX = 0.0, dirY = 0.0;
    int mapX = 0, mapY = 0;
    int stepX = 1, stepY = 1;
    int side = 0;
    bool hit = false;
    double perpendicular = 0.0;
    double distance = 0.0;
    int32_t lineHeight = 0;
    int32_t drawStart = 0;
    int32_t drawEnd = 0;
    double wallX = 0.0;
};

void Camera::drawWalls(ImageBuffer* texture, const LockedImage& frame) {
    const BitmapLock texels(texture != nullptr ? texture->bitmap : nullptr, ALLEGRO_LOCK_READONLY);
    prepareFloorRows();
    // Without a texture the rays still measure the walls, so units stay hidden behind them.
    const LockedImage* image = texels.locked() ? &texels.image() : nullptr;
    // Each column writes only its own pixels and depth, so bands of them can be drawn at
    // once; pixels written through the library land on this thread's target alone.
    const bool shared =
        workers != nullptr && (image == nullptr || image->isDirect()) && frame.isDirect();
    const int32_t bands = shared ? bandCount() : 1;
    if (shared && image != nullptr) {
        workOutFloorRows(*image);
    }
    const auto drawBand = [&](int32_t band) {
        const int32_t from = bandStart(band, bands);
        const int32_t to = bandStart(band + 1, bands);
        for (int32_t x = from; x < to; x += columnWidth) {
            castColumn(x, image, frame);
        }
    };
    shareOut(bands, drawBand);
    moved = false;
    running = false;
}

void Camera::shareOut(int32_t parts, const std::function<void(int32_t)>& part) const {
    if (workers != nullptr) {
        workers->run(parts, part);
        return;
    }
    for (int32_t i = 0; i < parts; ++i) {
        part(i);
    }
}

int32_t Camera::bandCount() const {
    return std::max<int32_t>(1, (screenWidth + BAND_COLUMNS - 1) / BAND_COLUMNS);
}

// Bands are whole 64-pixel words of the coverage mask, and whole columns of blocks.
int32_t Camera::bandStart(int32_t band, int32_t bands) const {
    if (band >= bands) {
        return screenWidth;
    }
    const int32_t start = band * BAND_COLUMNS;
    return std::min(screenWidth, (start + columnWidth - 1) / columnWidth * columnWidth);
}

// Every floor row's distance and shade, made once rather than for every column.
void Camera::prepareFloorRows() {
    if (floorRowsHeight == screenHeight && floorRowsStep == rowHeight &&
        floorRowsShadeBase == shadeBase) {
        return;
    }
    floorRows.resize(static_cast<std::size_t>(std::max(screenHeight + rowHeight, 0)));
    for (std::size_t y = 0; y < floorRows.size(); ++y) {
        FloorRow& row = floorRows[y];
        row.distance = screenHeight / (2.0 * static_cast<int32_t>(y) - screenHeight);
        row.divisor = shadeDivisor(row.distance);
        row.shade.prepare(row.divisor);
    }
    floorRowsHeight = screenHeight;
    floorRowsStep = rowHeight;
    floorRowsShadeBase = shadeBase;
    floorRowsWorkedOut = false;
}

// Before the rows' tables are shared between threads: every entry the strip's pixels can
// ask for worked out, so that the bands only read them.
void Camera::workOutFloorRows(const LockedImage& texels) {
    if (floorRowsWorkedOut) {
        return;
    }
    const ShadeTable::ByteSet bytes = texels.opaqueChannelBytes();
    for (FloorRow& row : floorRows) {
        row.shade.workOut(bytes);
    }
    floorRowsWorkedOut = true;
}

void Camera::castColumn(int32_t x, const LockedImage* texels, const LockedImage& frame) {
    Ray ray;
    aimRay(ray, x);
    traceRay(ray);
    depthBuffer[x / columnWidth] = ray.distance;
    if (texels == nullptr) {
        return;
    }
    drawWallSlice(ray, *texels, frame);
    drawFloorAndCeiling(ray, *texels, frame);
}

void Camera::aimRay(Ray& ray, int32_t column) const {
    ray.column = column;
    const double cameraX = static_cast<double>(2 * column) / static_cast<double>(screenWidth) - 1.0;
    ray.dirX = dirX + planeX * cameraX;
    ray.dirY = dirY + planeY * cameraX;
}

void Camera::markSeen(SeenCells& seen) const {
    seen.newLook();
    seen.see(static_cast<int>(posX), static_cast<int>(posY));
    for (int32_t x = 0; x < screenWidth; x += columnWidth) {
        Ray ray;
        aimRay(ray, x);
        marchToWall(ray, &seen);
    }
}

void Camera::traceRay(Ray& ray) const {
    marchToWall(ray);
    measureWall(ray);
}

// Steps from cell border to cell border until a wall, the step limit or the grid's edge.
void Camera::marchToWall(Ray& ray, SeenCells* seen) const {
    ray.mapX = static_cast<int>(posX);
    ray.mapY = static_cast<int>(posY);
    // A zero component gives an infinite delta, so that axis is never stepped.
    const double deltaDistX = std::sqrt(1 + (ray.dirY * ray.dirY) / (ray.dirX * ray.dirX));
    const double deltaDistY = std::sqrt(1 + (ray.dirX * ray.dirX) / (ray.dirY * ray.dirY));
    double sideDistX = firstBorder(posX, ray.mapX, ray.dirX, deltaDistX, ray.stepX);
    double sideDistY = firstBorder(posY, ray.mapY, ray.dirY, deltaDistY, ray.stepY);
    for (int step = 0; step < maxRaySteps; ++step) {
        if (sideDistX < sideDistY) {
            sideDistX += deltaDistX;
            ray.mapX += ray.stepX;
            ray.side = 0;
        } else {
            sideDistY += deltaDistY;
            ray.mapY += ray.stepY;
            ray.side = 1;
        }
        if (!MapGrid::contains(ray.mapX, ray.mapY)) {
            return; // the world ends here: no wall to show
        }
        if (seen != nullptr) {
            seen->see(ray.mapX, ray.mapY);
        }
        if (grid[ray.mapX][ray.mapY] > 0) {
            ray.hit = true;
            return;
        }
    }
}

// How far the wall is, where along its face the ray struck, and how tall it stands.
void Camera::measureWall(Ray& ray) const {
    if (ray.side == 0) {
        ray.perpendicular = (ray.mapX - posX + (1 - ray.stepX) / 2) / ray.dirX;
        ray.wallX = posY + ray.perpendicular * ray.dirY;
    } else {
        ray.perpendicular = (ray.mapY - posY + (1 - ray.stepY) / 2) / ray.dirY;
        ray.wallX = posX + ray.perpendicular * ray.dirX;
    }
    ray.wallX -= std::floor(ray.wallX);
    ray.distance = std::fabs(ray.perpendicular);

    // A wall touching the viewpoint is taller than any int: it fills the column. (Left
    // undrawn, walking straight into a wall would black out the whole view.)
    const double height = screenHeight / ray.distance;
    ray.lineHeight = fitsInt(height) ? std::abs(static_cast<int32_t>(height)) : INT32_MAX;
    ray.drawStart = std::max(screenHeight / 2 - ray.lineHeight / 2, 0);
    ray.drawEnd = std::min(ray.lineHeight / 2 + screenHeight / 2, screenHeight - 1);
}

void Camera::drawWallSlice(const Ray& ray, const LockedImage& texels,
                           const LockedImage& frame) const {
    const int tile = ray.hit ? grid[ray.mapX][ray.mapY] + WALL_TILE_OFFSET : 0;
    int texX = static_cast<int>(ray.wallX * TILE_SIZE);
    // Mirrored on the faces seen from the other side, so every face reads the same way.
    if ((ray.side == 0 && ray.dirX > 0) || (ray.side == 1 && ray.dirY < 0)) {
        texX = TILE_SIZE - 1 - texX;
    }
    const int32_t texelX = tile * TILE_SIZE + texX;
    const double divisor = shadeDivisor(ray.distance);
    const LockedImage::Area columns = frame.clip(ray.column, 0, columnWidth, 1);
    ShadeTable shade;
    shade.prepare(divisor, ray.side == 1 ? SIDE_SHADE : 1.0);
    const bool direct = ray.hit && texels.isDirect() && frame.isDirect() && shade.exact();
    // A near wall shows each texel over many rows: it is darkened once for all of them.
    int32_t shownTexY = -1;
    LockedImage::Pixel pixel;
    // The texture row of screen row y is ((2y - screenHeight + lineHeight) * 8192 /
    // lineHeight) / 256.
    SteppedQuotient scaled((2LL * ray.drawStart - screenHeight + ray.lineHeight) * 8192,
                           2LL * rowHeight * 8192, std::max(ray.lineHeight, 1));
    for (int32_t y = ray.drawStart; y < ray.drawEnd; y += rowHeight, scaled.next()) {
        const int32_t texY = ray.hit ? clampTexel(scaled.value() / 256) : 0;
        if (texY != shownTexY) {
            pixel = direct ? frame.shaded(texels, texels.word(texelX, texY), shade)
                           : wallPixel(ray, texels, frame, texelX, texY, divisor);
            shownTexY = texY;
        }
        frame.fillRows(columns, y, rowHeight, pixel);
    }
}

// A wall texel darkened the long way, or the darkness of a ray that met no wall.
LockedImage::Pixel Camera::wallPixel(const Ray& ray, const LockedImage& texels,
                                     const LockedImage& frame, int32_t texelX, int32_t texY,
                                     double divisor) const {
    if (!ray.hit) {
        return frame.encode(darken(al_map_rgb(0, 0, 0), divisor));
    }
    ALLEGRO_COLOR colour = texels.read(texelX, texY);
    if (ray.side == 1) {
        colour = darken(colour, SIDE_SHADE);
    }
    return frame.encode(darken(colour, divisor));
}

void Camera::drawFloorAndCeiling(const Ray& ray, const LockedImage& texels,
                                 const LockedImage& frame) const {
    double wallFloorX, wallFloorY;
    if (ray.side == 0 && ray.dirX > 0) {
        wallFloorX = ray.mapX;
        wallFloorY = ray.mapY + ray.wallX;
    } else if (ray.side == 0 && ray.dirX < 0) {
        wallFloorX = ray.mapX + 1.0;
        wallFloorY = ray.mapY + ray.wallX;
    } else if (ray.side == 1 && ray.dirY > 0) {
        wallFloorX = ray.mapX + ray.wallX;
        wallFloorY = ray.mapY;
    } else {
        wallFloorX = ray.mapX + ray.wallX;
        wallFloorY = ray.mapY + 1.0;
    }
    const int32_t drawEnd = ray.drawEnd < 0 ? screenHeight + rowHeight : ray.drawEnd;
    const bool direct = texels.isDirect() && frame.isDirect();
    const LockedImage::Area columns = frame.clip(ray.column, 0, columnWidth, 1);
    // One block past the bottom edge, so the last rows are always covered.
    for (int32_t y = drawEnd + 1; y < screenHeight + rowHeight; y += rowHeight) {
        const FloorRow& row = floorRows[static_cast<std::size_t>(y)];
        const double weight = row.distance / ray.distance;
        const double floorX = weight * wallFloorX + (1.0 - weight) * posX;
        const double floorY = weight * wallFloorY + (1.0 - weight) * posY;
        const int32_t fx = tileTexel(floorX);
        const int32_t fy = tileTexel(floorY);
        // Looked up in the row's table where both images are read directly.
        const auto rowPixel = [&](int tile) {
            const int32_t texelX = tile * TILE_SIZE + fx;
            return direct && row.shade.exact()
                       ? frame.shaded(texels, texels.word(texelX, fy), row.shade)
                       : frame.encode(darken(texels.read(texelX, fy), row.divisor));
        };
        frame.fillRows(columns, y, rowHeight, rowPixel(FLOOR_TILE));
        frame.fillRows(columns, screenHeight - y, rowHeight, rowPixel(CEILING_TILE));
    }
}
