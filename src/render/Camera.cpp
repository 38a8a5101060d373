#include "render/Camera.h"

#include "core/MouseEvent.h"
#include "core/MoveEvent.h"
#include "units/Unit.h"
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
const int MAX_RAY_COLUMNS = 200;
const double FURTHEST_SHADE = 20.0;
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

// Which texel of a tile a world coordinate falls on; its fraction picks the texel.
int tileTexel(double coordinate) {
    if (std::isnan(coordinate)) {
        return 0; // the floor under a wall at distance 0, which is never on screen
    }
    const double scaled = std::clamp(coordinate * TILE_SIZE, -1e9, 1e9);
    const int texel = static_cast<int>(scaled) % TILE_SIZE;
    return texel < 0 ? texel + TILE_SIZE : texel;
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

// A unit's picture placed on the screen; see drawSprite.
struct Camera::Billboard {
    double depth = 0.0;
    int32_t screenX = 0;
    int32_t size = 0;
    int32_t half = 0;
    int32_t startX = 0, endX = 0, startY = 0, endY = 0;
    int32_t stepX = 1, stepY = 1;
    double divisor = 1.0;
};

Camera::Camera(EventSystem* eventSystem) : eventSystem(eventSystem) {}

Camera::~Camera() {
    delete[] depthBuffer;
    if (listening) {
        eventSystem->removeListener(this);
    }
}

void Camera::init(int height, int width, int** worldGrid) {
    screenHeight = height;
    screenWidth = width;
    grid = worldGrid;
    if (width > MAX_RAY_COLUMNS) {
        columnWidth = width / MAX_RAY_COLUMNS;
    }
    if (height > MAX_RAY_COLUMNS) {
        rowHeight = height / MAX_RAY_COLUMNS;
    }
    delete[] depthBuffer;
    depthBuffer = new double[(width + columnWidth - 1) / columnWidth]();
    if (!listening) {
        eventSystem->addListener(MOVE_EVENT, this);
        eventSystem->addListener(MOUSE_EVENT, this);
        eventSystem->addListener(RUN_EVENT, this);
        eventSystem->addListener(PLAYER_ATTACK_EVENT, this);
        listening = true;
    }
}

double Camera::distanceTo(double x, double y) const {
    return std::sqrt((posX - x) * (posX - x) + (posY - y) * (posY - y));
}

double Camera::depthOf(double x, double y) const {
    const double relX = x - posX;
    const double relY = y - posY;
    return (planeX * relY - planeY * relX) / (planeX * dirY - dirX * planeY);
}

double Camera::shadeDivisor(double distance) const {
    return distance > FURTHEST_SHADE ? FURTHEST_SHADE : std::pow(shadeBase, distance);
}

ALLEGRO_COLOR Camera::darken(ALLEGRO_COLOR colour, double divisor) {
    colour.r = static_cast<float>(static_cast<double>(colour.r) / divisor);
    colour.g = static_cast<float>(static_cast<double>(colour.g) / divisor);
    colour.b = static_cast<float>(static_cast<double>(colour.b) / divisor);
    return colour;
}

// Pixels beyond the target are dropped here rather than trusted to the library.
void Camera::fillBlock(int32_t x, int32_t y, int32_t width, int32_t height,
                       ALLEGRO_COLOR colour) const {
    const int32_t left = std::max(x, 0);
    const int32_t top = std::max(y, 0);
    const int32_t right = std::min(x + width, targetWidth);
    const int32_t bottom = std::min(y + height, targetHeight);
    for (int32_t px = left; px < right; ++px) {
        for (int32_t py = top; py < bottom; ++py) {
            al_put_pixel(px, py, colour);
        }
    }
}

void Camera::rememberTargetSize() {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    targetWidth = target != nullptr ? al_get_bitmap_width(target) : 0;
    targetHeight = target != nullptr ? al_get_bitmap_height(target) : 0;
}

void Camera::drawWalls(ImageBuffer* texture) {
    rememberTargetSize();
    ALLEGRO_BITMAP* bitmap = texture != nullptr ? texture->bitmap : nullptr;
    if (bitmap != nullptr) {
        texture->lockedRegion =
            al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_READONLY);
        if (texture->lockedRegion == nullptr) {
            bitmap = nullptr;
        }
    }
    // Without a texture the rays still measure the walls, so units stay hidden behind them.
    for (int32_t x = 0; x < screenWidth; x += columnWidth) {
        castColumn(x, bitmap);
    }
    if (bitmap != nullptr) {
        al_unlock_bitmap(bitmap);
        texture->lockedRegion = nullptr;
    }
    moved = false;
    running = false;
}

void Camera::castColumn(int32_t x, ALLEGRO_BITMAP* texture) {
    Ray ray;
    ray.column = x;
    const double cameraX = static_cast<double>(2 * x) / static_cast<double>(screenWidth) - 1.0;
    ray.dirX = dirX + planeX * cameraX;
    ray.dirY = dirY + planeY * cameraX;
    traceRay(ray);
    depthBuffer[x / columnWidth] = ray.distance;
    if (texture == nullptr) {
        return;
    }
    drawWallSlice(ray, texture);
    drawFloorAndCeiling(ray, texture);
}

void Camera::traceRay(Ray& ray) const {
    marchToWall(ray);
    measureWall(ray);
}

// Steps from cell border to cell border until a wall, the step limit or the grid's edge.
void Camera::marchToWall(Ray& ray) const {
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

void Camera::drawWallSlice(const Ray& ray, ALLEGRO_BITMAP* texture) const {
    const int tile = ray.hit ? grid[ray.mapX][ray.mapY] + WALL_TILE_OFFSET : 0;
    int texX = static_cast<int>(ray.wallX * TILE_SIZE);
    // Mirrored on the faces seen from the other side, so every face reads the same way.
    if ((ray.side == 0 && ray.dirX > 0) || (ray.side == 1 && ray.dirY < 0)) {
        texX = TILE_SIZE - 1 - texX;
    }
    const double divisor = shadeDivisor(ray.distance);
    for (int32_t y = ray.drawStart; y < ray.drawEnd; y += rowHeight) {
        const long long scaled =
            ((2LL * y - screenHeight + ray.lineHeight) * 8192) / ray.lineHeight;
        const int texY = clampTexel(scaled / 256);
        ALLEGRO_COLOR colour = al_get_pixel(texture, tile * TILE_SIZE + texX, texY);
        if (!ray.hit) {
            colour = al_map_rgb(0, 0, 0);
        } else if (ray.side == 1) {
            colour = darken(colour, SIDE_SHADE);
        }
        fillBlock(ray.column, y, columnWidth, rowHeight, darken(colour, divisor));
    }
}

void Camera::drawFloorAndCeiling(const Ray& ray, ALLEGRO_BITMAP* texture) const {
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
    // One block past the bottom edge, so the last rows are always covered.
    for (int32_t y = drawEnd + 1; y < screenHeight + rowHeight; y += rowHeight) {
        const double rowDistance = screenHeight / (2.0 * y - screenHeight);
        const double weight = rowDistance / ray.distance;
        const double floorX = weight * wallFloorX + (1.0 - weight) * posX;
        const double floorY = weight * wallFloorY + (1.0 - weight) * posY;
        const int fx = tileTexel(floorX);
        const int fy = tileTexel(floorY);
        const double divisor = shadeDivisor(rowDistance);
        const ALLEGRO_COLOR floor =
            darken(al_get_pixel(texture, FLOOR_TILE * TILE_SIZE + fx, fy), divisor);
        const ALLEGRO_COLOR ceiling =
            darken(al_get_pixel(texture, CEILING_TILE * TILE_SIZE + fx, fy), divisor);
        fillBlock(ray.column, y, columnWidth, rowHeight, floor);
        fillBlock(ray.column, screenHeight - y, columnWidth, rowHeight, ceiling);
    }
}

void Camera::drawSprite(Unit* unit) {
    if (!unit->alive || depthBuffer == nullptr) {
        return;
    }
    Sprite* sprite = unit->getCurrentSprite();
    if (sprite == nullptr || sprite->buffer == nullptr || sprite->buffer->bitmap == nullptr) {
        return;
    }
    Billboard billboard;
    if (!placeBillboard(*unit, billboard)) {
        return;
    }
    ALLEGRO_BITMAP* bitmap = sprite->buffer->bitmap;
    sprite->buffer->lockedRegion =
        al_lock_bitmap(bitmap, al_get_bitmap_format(bitmap), ALLEGRO_LOCK_READONLY);
    if (sprite->buffer->lockedRegion == nullptr) {
        return;
    }
    rememberTargetSize();
    drawBillboard(billboard, *sprite);
    al_unlock_bitmap(bitmap);
    sprite->buffer->lockedRegion = nullptr;
}

// Where the unit's square picture lands on the screen, and how coarsely to sample it.
// False when nothing of it can be seen.
bool Camera::placeBillboard(const Unit& unit, Billboard& billboard) const {
    const double relX = unit.x - posX;
    const double relY = unit.y - posY;
    const double invDet = 1.0 / (planeX * dirY - dirX * planeY);
    const double transformX = invDet * (dirY * relX - dirX * relY);
    const double transformY = invDet * (-planeY * relX + planeX * relY);
    if (!(transformY > 0.0)) {
        return false; // at or behind the camera plane
    }
    const double screenX = static_cast<double>(screenWidth / 2) * (1.0 + transformX / transformY);
    const double size = screenHeight / transformY;
    if (!fitsInt(screenX) || !fitsInt(size) || static_cast<int32_t>(size) == 0) {
        return false;
    }
    billboard.depth = transformY;
    billboard.screenX = static_cast<int32_t>(screenX);
    billboard.size = std::abs(static_cast<int32_t>(size));
    billboard.half = billboard.size / 2;
    const long long centre = billboard.screenX;
    const long long startX = std::max<long long>(centre - billboard.half, BILLBOARD_LEFT_LIMIT);
    const long long endX = std::min<long long>(centre + billboard.half, screenWidth - 1);
    if (endX <= 0 || startX >= screenWidth) {
        return false;
    }
    billboard.startX = static_cast<int32_t>(startX);
    billboard.endX = static_cast<int32_t>(endX);
    billboard.startY = std::max(screenHeight / 2 - billboard.half, 0);
    billboard.endY = std::min(billboard.half + screenHeight / 2, screenHeight - 1);
    const int32_t width = billboard.endX - billboard.startX;
    const int32_t height = billboard.endY - billboard.startY;
    billboard.stepX = width > BILLBOARD_SAMPLES ? width / BILLBOARD_SAMPLES : 1;
    billboard.stepY = height > BILLBOARD_SAMPLES ? height / BILLBOARD_SAMPLES : 1;
    billboard.divisor = shadeDivisor(BILLBOARD_SHADE_SCALE * distanceTo(unit.x, unit.y));
    return true;
}

// Stripe by stripe; a stripe is hidden as a whole when the wall in the ray column of its
// first pixel is not farther than the unit. Transparent texels let the view show through.
void Camera::drawBillboard(const Billboard& billboard, const Sprite& sprite) const {
    const long long size = billboard.size;
    for (int32_t stripe = billboard.startX; stripe < billboard.endX; stripe += billboard.stepX) {
        if (stripe <= 0 || stripe >= screenWidth ||
            !(depthBuffer[stripe / columnWidth] > billboard.depth)) {
            continue;
        }
        const int texX = clampTexel(
            ((static_cast<long long>(stripe) - billboard.screenX + billboard.half) * 16384 / size) /
            256);
        for (int32_t y = billboard.startY; y < billboard.endY; y += billboard.stepY) {
            const int texY = clampTexel(((2LL * y - screenHeight + size) * 8192LL / size) / 256);
            const ALLEGRO_COLOR colour =
                darken(al_get_pixel(sprite.buffer->bitmap, sprite.x + texX, sprite.y + texY),
                       billboard.divisor);
            if (colour.a == 0.0f) {
                continue;
            }
            fillBlock(stripe, y, billboard.stepX, billboard.stepY, colour);
        }
    }
}

void Camera::handleEvent(const Event& event) {
    if (event.type == RUN_EVENT) {
        moveSpeed *= 1.5;
        running = true;
    }
    if (event.type == MOVE_EVENT) {
        const MoveEvent& moveEvent = static_cast<const MoveEvent&>(event);
        move(moveEvent.strafe, moveEvent.forward);
    }
    if (event.type == MOUSE_EVENT) {
        turn(static_cast<const MouseEvent&>(event).deltaX);
    }
}

// One step ahead or back along the view and one to the side along the camera plane;
// taken only when the destination cell is open floor inside the grid.
void Camera::move(int16_t strafe, int16_t forward) {
    double newX = posX;
    double newY = posY;
    if (forward == 1 || forward == -1) {
        newX += forward * dirX * moveSpeed;
        newY += forward * dirY * moveSpeed;
        moved = true;
    }
    if (strafe == 1 || strafe == -1) {
        newX += strafe * planeX * moveSpeed;
        newY += strafe * planeY * moveSpeed;
        moved = true;
    }
    if (grid != nullptr && MapGrid::isOpenAt(grid, newX, newY) &&
        keepsClearOfWalls(newX - posX, newY - posY, newX, newY)) {
        posX = newX;
        posY = newY;
    }
}

// Walking into a wall would otherwise end a hair from its face, where the whole view is
// that wall at distance zero. Only the way the step goes is looked at, so a player next
// to a wall can always walk along it or away from it.
bool Camera::keepsClearOfWalls(double stepX, double stepY, double newX, double newY) const {
    const auto ahead = [](double step) {
        return step > 0 ? WALL_MARGIN : step < 0 ? -WALL_MARGIN : 0.0;
    };
    return MapGrid::isOpenAt(grid, newX + ahead(stepX), newY) &&
           MapGrid::isOpenAt(grid, newX, newY + ahead(stepY));
}

// A positive deltaX (the pointer went left) turns toward the left of the view. Larger
// mouse travel picks a larger, fixed turn for this frame.
void Camera::turn(int32_t deltaX) {
    const int64_t travel = std::llabs(static_cast<int64_t>(deltaX));
    if (travel > 19) {
        rotSpeed *= 3.2;
    } else if (travel > 9) {
        rotSpeed *= 2.7;
    }
    if (deltaX == 0) {
        return;
    }
    if (deltaX < 0) {
        rotSpeed *= -1.0;
    }
    const double c = std::cos(rotSpeed);
    const double s = std::sin(rotSpeed);
    const double oldDirX = dirX;
    dirX = dirX * c - dirY * s;
    dirY = oldDirX * s + dirY * c;
    const double oldPlaneX = planeX;
    planeX = planeX * c - planeY * s;
    planeY = oldPlaneX * s + planeY * c;
}
