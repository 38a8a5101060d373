#include "PlainCameraPasses.h"

#include "world/MapGrid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

const int TILE_SIZE = 64;
const int FLOOR_TILE = 0;
const int CEILING_TILE = 2;
const int WALL_TILE_OFFSET = 2;
const double SIDE_SHADE = 1.25;
const double BILLBOARD_SHADE_SCALE = 1.5;
const int BILLBOARD_SAMPLES = 64;
const int BILLBOARD_LEFT_LIMIT = -5;

bool fitsInt(double value) {
    return value >= static_cast<double>(INT_MIN) && value <= static_cast<double>(INT_MAX);
}

int clampTexel(long long texel) {
    return static_cast<int>(std::clamp<long long>(texel, 0, TILE_SIZE - 1));
}

int tileTexel(double coordinate) {
    if (std::isnan(coordinate)) {
        return 0;
    }
    const double scaled = std::clamp(coordinate * TILE_SIZE, -1e9, 1e9);
    const int texel = static_cast<int>(scaled) % TILE_SIZE;
    return texel < 0 ? texel + TILE_SIZE : texel;
}

// Every pixel of the block that lies inside the current target.
void fillBlock(int32_t x, int32_t y, int32_t width, int32_t height, ALLEGRO_COLOR colour) {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    const int32_t right = std::min(x + width, al_get_bitmap_width(target));
    const int32_t bottom = std::min(y + height, al_get_bitmap_height(target));
    for (int32_t px = std::max(x, 0); px < right; ++px) {
        for (int32_t py = std::max(y, 0); py < bottom; ++py) {
            al_put_pixel(px, py, colour);
        }
    }
}

struct Ray {
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

double firstBorder(double position, int cell, double direction, double delta, int& step) {
    if (direction < 0) {
        step = -1;
        return (position - cell) * delta;
    }
    step = 1;
    return (cell + 1.0 - position) * delta;
}

void traceRay(const Camera& camera, Ray& ray) {
    ray.mapX = static_cast<int>(camera.posX);
    ray.mapY = static_cast<int>(camera.posY);
    const double deltaDistX = std::sqrt(1 + (ray.dirY * ray.dirY) / (ray.dirX * ray.dirX));
    const double deltaDistY = std::sqrt(1 + (ray.dirX * ray.dirX) / (ray.dirY * ray.dirY));
    double sideDistX = firstBorder(camera.posX, ray.mapX, ray.dirX, deltaDistX, ray.stepX);
    double sideDistY = firstBorder(camera.posY, ray.mapY, ray.dirY, deltaDistY, ray.stepY);
    for (int step = 0; step < camera.maxRaySteps; ++step) {
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
            break;
        }
        if (camera.grid[ray.mapX][ray.mapY] > 0) {
            ray.hit = true;
            break;
        }
    }
    if (ray.side == 0) {
        ray.perpendicular = (ray.mapX - camera.posX + (1 - ray.stepX) / 2) / ray.dirX;
        ray.wallX = camera.posY + ray.perpendicular * ray.dirY;
    } else {
        ray.perpendicular = (ray.mapY - camera.posY + (1 - ray.stepY) / 2) / ray.dirY;
        ray.wallX = camera.posX + ray.perpendicular * ray.dirX;
    }
    ray.wallX -= std::floor(ray.wallX);
    ray.distance = std::fabs(ray.perpendicular);
    const double height = camera.screenHeight / ray.distance;
    ray.lineHeight = fitsInt(height) ? std::abs(static_cast<int32_t>(height)) : INT32_MAX;
    ray.drawStart = std::max(camera.screenHeight / 2 - ray.lineHeight / 2, 0);
    ray.drawEnd = std::min(ray.lineHeight / 2 + camera.screenHeight / 2, camera.screenHeight - 1);
}

void drawWallSlice(const Camera& camera, const Ray& ray, ALLEGRO_BITMAP* texture) {
    const int tile = ray.hit ? camera.grid[ray.mapX][ray.mapY] + WALL_TILE_OFFSET : 0;
    int texX = static_cast<int>(ray.wallX * TILE_SIZE);
    if ((ray.side == 0 && ray.dirX > 0) || (ray.side == 1 && ray.dirY < 0)) {
        texX = TILE_SIZE - 1 - texX;
    }
    for (int32_t y = ray.drawStart; y < ray.drawEnd; y += camera.rowHeight) {
        const long long scaled =
            ((2LL * y - camera.screenHeight + ray.lineHeight) * 8192) / ray.lineHeight;
        const int texY = clampTexel(scaled / 256);
        ALLEGRO_COLOR colour = al_get_pixel(texture, tile * TILE_SIZE + texX, texY);
        if (!ray.hit) {
            colour = al_map_rgb(0, 0, 0);
        } else if (ray.side == 1) {
            colour = Camera::darken(colour, SIDE_SHADE);
        }
        fillBlock(ray.column, y, camera.columnWidth, camera.rowHeight,
                  Camera::darken(colour, camera.shadeDivisor(ray.distance)));
    }
}

void drawFloorAndCeiling(const Camera& camera, const Ray& ray, ALLEGRO_BITMAP* texture) {
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
    const int32_t screenHeight = camera.screenHeight;
    const int32_t drawEnd = ray.drawEnd < 0 ? screenHeight + camera.rowHeight : ray.drawEnd;
    for (int32_t y = drawEnd + 1; y < screenHeight + camera.rowHeight; y += camera.rowHeight) {
        const double rowDistance = screenHeight / (2.0 * y - screenHeight);
        const double weight = rowDistance / ray.distance;
        const double floorX = weight * wallFloorX + (1.0 - weight) * camera.posX;
        const double floorY = weight * wallFloorY + (1.0 - weight) * camera.posY;
        const int fx = tileTexel(floorX);
        const int fy = tileTexel(floorY);
        const double divisor = camera.shadeDivisor(rowDistance);
        const ALLEGRO_COLOR floor =
            Camera::darken(al_get_pixel(texture, FLOOR_TILE * TILE_SIZE + fx, fy), divisor);
        const ALLEGRO_COLOR ceiling =
            Camera::darken(al_get_pixel(texture, CEILING_TILE * TILE_SIZE + fx, fy), divisor);
        fillBlock(ray.column, y, camera.columnWidth, camera.rowHeight, floor);
        fillBlock(ray.column, screenHeight - y, camera.columnWidth, camera.rowHeight, ceiling);
    }
}

} // namespace

void PlainCameraPasses::drawWalls(Camera& camera, ImageBuffer* texture) {
    ALLEGRO_BITMAP* bitmap = texture != nullptr ? texture->bitmap : nullptr;
    if (bitmap != nullptr &&
        al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_READONLY) == nullptr) {
        bitmap = nullptr;
    }
    for (int32_t x = 0; x < camera.screenWidth; x += camera.columnWidth) {
        Ray ray;
        ray.column = x;
        const double cameraX =
            static_cast<double>(2 * x) / static_cast<double>(camera.screenWidth) - 1.0;
        ray.dirX = camera.dirX + camera.planeX * cameraX;
        ray.dirY = camera.dirY + camera.planeY * cameraX;
        traceRay(camera, ray);
        camera.depthBuffer[x / camera.columnWidth] = ray.distance;
        if (bitmap != nullptr) {
            drawWallSlice(camera, ray, bitmap);
            drawFloorAndCeiling(camera, ray, bitmap);
        }
    }
    if (bitmap != nullptr) {
        al_unlock_bitmap(bitmap);
    }
    camera.moved = false;
    camera.running = false;
}

void PlainCameraPasses::drawSprite(const Camera& camera, Unit* unit) {
    Sprite* sprite = unit->alive ? unit->getCurrentSprite() : nullptr;
    if (sprite == nullptr || sprite->buffer == nullptr || sprite->buffer->bitmap == nullptr) {
        return;
    }
    const double relX = unit->x - camera.posX;
    const double relY = unit->y - camera.posY;
    const double invDet = 1.0 / (camera.planeX * camera.dirY - camera.dirX * camera.planeY);
    const double transformX = invDet * (camera.dirY * relX - camera.dirX * relY);
    const double transformY = invDet * (-camera.planeY * relX + camera.planeX * relY);
    if (!(transformY > 0.0)) {
        return;
    }
    const int32_t screenWidth = camera.screenWidth;
    const int32_t screenHeight = camera.screenHeight;
    const double screenXValue =
        static_cast<double>(screenWidth / 2) * (1.0 + transformX / transformY);
    const double sizeValue = screenHeight / transformY;
    if (!fitsInt(screenXValue) || !fitsInt(sizeValue) || static_cast<int32_t>(sizeValue) == 0) {
        return;
    }
    const long long screenX = static_cast<int32_t>(screenXValue);
    const long long size = std::abs(static_cast<int32_t>(sizeValue));
    const long long half = size / 2;
    const long long startX = std::max<long long>(screenX - half, BILLBOARD_LEFT_LIMIT);
    const long long endX = std::min<long long>(screenX + half, screenWidth - 1);
    if (endX <= 0 || startX >= screenWidth) {
        return;
    }
    const long long startY = std::max<long long>(screenHeight / 2 - half, 0);
    const long long endY = std::min<long long>(half + screenHeight / 2, screenHeight - 1);
    const long long stepX = endX - startX > BILLBOARD_SAMPLES ? (endX - startX) / 64 : 1;
    const long long stepY = endY - startY > BILLBOARD_SAMPLES ? (endY - startY) / 64 : 1;
    const double divisor =
        camera.shadeDivisor(BILLBOARD_SHADE_SCALE * camera.distanceTo(unit->x, unit->y));

    ALLEGRO_BITMAP* bitmap = sprite->buffer->bitmap;
    if (al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_READONLY) == nullptr) {
        return;
    }
    for (long long stripe = startX; stripe < endX; stripe += stepX) {
        if (stripe <= 0 || stripe >= screenWidth ||
            !(camera.depthBuffer[stripe / camera.columnWidth] > transformY)) {
            continue;
        }
        const int texX = clampTexel(((stripe - screenX + half) * 16384 / size) / 256);
        for (long long y = startY; y < endY; y += stepY) {
            const int texY = clampTexel(((2 * y - screenHeight + size) * 8192 / size) / 256);
            const ALLEGRO_COLOR colour =
                Camera::darken(al_get_pixel(bitmap, sprite->x + texX, sprite->y + texY), divisor);
            if (colour.a == 0.0f) {
                continue;
            }
            fillBlock(static_cast<int32_t>(stripe), static_cast<int32_t>(y),
                      static_cast<int32_t>(stepX), static_cast<int32_t>(stepY), colour);
        }
    }
    al_unlock_bitmap(bitmap);
}
