// Units drawn as billboards: square pictures facing the viewer, scaled by their depth,
// darker with distance, cut away stripe by stripe behind nearer walls.
#include "render/Camera.h"

#include "render/BitmapLock.h"
#include "render/SteppedQuotient.h"
#include "units/Unit.h"

#include <algorithm>
#include <cstdlib>

namespace {

const double BILLBOARD_SHADE_SCALE = 1.5;
const int BILLBOARD_SAMPLES = 64;
const int BILLBOARD_LEFT_LIMIT = -5;

} // namespace

// A unit's picture placed on the screen; see placeBillboard.
struct Camera::Billboard {
    double depth = 0.0;
    int32_t screenX = 0;
    int32_t size = 0;
    int32_t half = 0;
    int32_t startX = 0, endX = 0, startY = 0, endY = 0;
    int32_t stepX = 1, stepY = 1;
    double divisor = 1.0;
};

bool Camera::drawSprite(Unit* unit, const LockedImage& frame) {
    coverage.clear(frame.width(), frame.height());
    drawOneSprite(unit, frame);
    return coverage.anyTaken();
}

void Camera::drawSprites(const std::vector<Unit*>& units, const LockedImage& frame) {
    coverage.clear(frame.width(), frame.height());
    for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
        drawOneSprite(*unit, frame);
    }
}

void Camera::drawOneSprite(Unit* unit, const LockedImage& frame) {
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
    const BitmapLock texels(sprite->buffer->bitmap, ALLEGRO_LOCK_READONLY);
    if (texels.locked()) {
        drawBillboard(billboard, *sprite, texels.image(), frame);
    }
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
// first pixel is not farther than the unit. Transparent texels let the view show through,
// and pixels a nearer unit has taken are left to it.
void Camera::drawBillboard(const Billboard& billboard, const Sprite& sprite,
                           const LockedImage& texels, const LockedImage& frame) {
    billboardShade.prepare(billboard.divisor);
    const long long size = billboard.size;
    for (int32_t stripe = billboard.startX; stripe < billboard.endX; stripe += billboard.stepX) {
        if (stripe <= 0 || stripe >= screenWidth ||
            !(depthBuffer[stripe / columnWidth] > billboard.depth)) {
            continue;
        }
        const LockedImage::Area columns = frame.clip(stripe, 0, billboard.stepX, 1);
        if (columns.empty()) {
            continue;
        }
        const int texX = clampTexel(
            ((static_cast<long long>(stripe) - billboard.screenX + billboard.half) * 16384 / size) /
            256);
        drawStripe(billboard, CoverageMask::span(columns.left, columns.right), sprite.x + texX,
                   sprite.y, texels, frame);
    }
}

// One stripe of a billboard, sample by sample down its rows.
void Camera::drawStripe(const Billboard& billboard, const CoverageMask::Span& span, int32_t texelX,
                        int32_t spriteTop, const LockedImage& texels, const LockedImage& frame) {
    const bool direct = texels.isDirect() && frame.isDirect() && billboardShade.exact();
    const long long size = billboard.size;
    // The texture row of screen row y is ((2y - screenHeight + size) * 8192 / size) / 256.
    SteppedQuotient scaledY((2LL * billboard.startY - screenHeight + size) * 8192,
                            2LL * billboard.stepY * 8192, size);
    for (int32_t y = billboard.startY; y < billboard.endY; y += billboard.stepY, scaledY.next()) {
        const int32_t bottom = std::min(y + billboard.stepY, frame.height());
        if (bottom <= y) {
            return; // the rest of the stripe lies below the frame
        }
        // Most of a skull's square is transparent: that is looked at before the coverage.
        const int32_t texelY = spriteTop + clampTexel(scaledY.value() / 256);
        if (direct) {
            const uint32_t texel = texels.word(texelX, texelY);
            if (texels.alphaByte(texel) != 0 && !coverage.covers(span, y, bottom)) {
                drawBlock(frame, span, y, bottom, frame.shaded(texels, texel, billboardShade));
            }
            continue;
        }
        const ALLEGRO_COLOR colour = texels.read(texelX, texelY);
        if (colour.a != 0.0f && !coverage.covers(span, y, bottom)) {
            drawBlock(frame, span, y, bottom, frame.encode(darken(colour, billboard.divisor)));
        }
    }
}

// The pixels of one sample's block that no nearer unit has taken.
void Camera::drawBlock(const LockedImage& frame, const CoverageMask::Span& span, int32_t top,
                       int32_t bottom, const LockedImage::Pixel& pixel) {
    for (int32_t row = top; row < bottom; ++row) {
        putFree(frame, row, span.left, coverage.take(span, row), pixel);
    }
}

// The pixels of a row that the coverage mask found free: bit i is pixel left + i.
void Camera::putFree(const LockedImage& frame, int32_t row, int32_t left, uint64_t free,
                     const LockedImage::Pixel& pixel) {
    if ((free & (free + 1)) == 0) { // one run from the left: the usual case
        frame.putRun(left, row, __builtin_popcountll(free), pixel);
        return;
    }
    while (free != 0) {
        const int32_t bit = __builtin_ctzll(free);
        frame.put(left + bit, row, pixel);
        free &= free - 1;
    }
}
