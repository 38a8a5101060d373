// Units drawn as billboards: square pictures facing the viewer, scaled by their depth,
// darker with distance, cut away stripe by stripe behind nearer walls.
#include "render/Camera.h"

#include "render/BitmapLock.h"
#include "render/SteppedQuotient.h"
#include "units/Unit.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <memory>
#include <utility>

namespace {

const double BILLBOARD_SHADE_SCALE = 1.5;
const int BILLBOARD_SAMPLES = 64;
const int BILLBOARD_LEFT_LIMIT = -5;
// The units' shade tables are worked out in this many shares.
const int32_t SHADE_PARTS = 8;
const int32_t TILE = 64;

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

// What a sprite's 64 by 64 texels hold, found once a frame for all the units that show
// it: where each texel column is not transparent (its first and last such row, first >
// last for a column with none), so that a stripe reads its texels only there; and the
// channel bytes of those texels, the entries its shade tables are asked for.
struct Camera::OpaqueRows {
    const Sprite* sprite = nullptr;
    std::array<std::pair<int16_t, int16_t>, TILE> columns{};
    ShadeTable::ByteSet bytes{};

    OpaqueRows(const Sprite* sprite, const LockedImage& texels)
        : sprite(sprite), bytes(texels.opaqueChannelBytes(sprite->x, sprite->y, sprite->x + TILE,
                                                          sprite->y + TILE)) {
        for (int32_t x = 0; x < TILE; ++x) {
            int16_t first = TILE, last = -1;
            for (int32_t y = 0; y < TILE; ++y) {
                if (texels.read(sprite->x + x, sprite->y + y).a != 0.0f) {
                    first = std::min<int16_t>(first, static_cast<int16_t>(y));
                    last = static_cast<int16_t>(y);
                }
            }
            columns[static_cast<std::size_t>(x)] = {first, last};
        }
    }
};

// A unit ready to be drawn: where it lands, its picture and how dark it is.
struct Camera::PlacedUnit {
    Billboard billboard;
    const Sprite* sprite = nullptr;
    const LockedImage* texels = nullptr;
    const OpaqueRows* opaque = nullptr;
    ShadeTable shade;
};

void Camera::drawSprites(const std::vector<Unit*>& units, const LockedImage& frame) {
    coverage.clear(frame.width(), frame.height());
    if (!frame.isDirect()) {
        // Pixels written through the library land on this thread's target alone.
        for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
            drawOneSprite(*unit, frame);
        }
        return;
    }
    // Every picture placed and locked first, nearest first; then each band of 64 columns
    // (whole words of the coverage mask) draws them all in its own columns at once.
    std::vector<PlacedUnit> placed;
    std::vector<std::unique_ptr<BitmapLock>> pictures; // each bitmap locked once
    std::deque<OpaqueRows> opaque;                     // each sprite's, once
    for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
        PlacedUnit ready;
        if (!placeUnit(**unit, ready, pictures)) {
            continue;
        }
        auto rows = std::find_if(opaque.begin(), opaque.end(), [&](const OpaqueRows& known) {
            return known.sprite == ready.sprite;
        });
        if (rows == opaque.end()) {
            opaque.emplace_back(ready.sprite, *ready.texels);
            rows = opaque.end() - 1;
        }
        ready.opaque = &*rows;
        placed.push_back(ready);
    }
    // Every band shares each unit's table: the entries its picture can ask for are worked
    // out first, the units shared out among the threads too.
    const int32_t parts = std::min<int32_t>(static_cast<int32_t>(placed.size()), SHADE_PARTS);
    shareOut(parts, [&](int32_t part) {
        const std::size_t from = placed.size() * static_cast<std::size_t>(part) / parts;
        const std::size_t to = placed.size() * static_cast<std::size_t>(part + 1) / parts;
        for (std::size_t i = from; i < to; ++i) {
            placed[i].shade.prepare(placed[i].billboard.divisor);
            placed[i].shade.workOut(placed[i].opaque->bytes);
        }
    });
    const int32_t bands = (frame.width() + BAND_COLUMNS - 1) / BAND_COLUMNS;
    shareOut(bands, [&](int32_t band) {
        const int32_t from = band * BAND_COLUMNS;
        const int32_t to = std::min(frame.width(), from + BAND_COLUMNS);
        for (const PlacedUnit& unit : placed) {
            drawBillboard(unit.billboard, *unit.sprite, *unit.texels, frame, unit.shade, from, to,
                          unit.opaque);
        }
    });
}

// The unit's billboard and picture, its picture's bitmap locked once for all the units
// that show it. False when nothing of it can be seen.
bool Camera::placeUnit(Unit& unit, PlacedUnit& placed,
                       std::vector<std::unique_ptr<BitmapLock>>& pictures) const {
    if (!unit.alive || depthBuffer == nullptr) {
        return false;
    }
    const Sprite* sprite = unit.getCurrentSprite();
    if (sprite == nullptr || sprite->buffer == nullptr || sprite->buffer->bitmap == nullptr ||
        !placeBillboard(unit, placed.billboard)) {
        return false;
    }
    ALLEGRO_BITMAP* bitmap = sprite->buffer->bitmap;
    auto held = std::find_if(pictures.begin(), pictures.end(),
                             [&](const auto& lock) { return lock->bitmapLocked() == bitmap; });
    if (held == pictures.end()) {
        pictures.push_back(std::make_unique<BitmapLock>(bitmap, ALLEGRO_LOCK_READONLY));
        held = pictures.end() - 1;
    }
    if (!(*held)->locked()) {
        return false;
    }
    placed.sprite = sprite;
    placed.texels = &(*held)->image();
    return true;
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
        billboardShade.prepare(billboard.divisor);
        drawBillboard(billboard, *sprite, texels.image(), frame, billboardShade, 0, frame.width(),
                      nullptr);
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
// and pixels a nearer unit has taken are left to it. Only the columns [from, to) are
// drawn: a stripe across the edge of a band is drawn in each band its share.
void Camera::drawBillboard(const Billboard& billboard, const Sprite& sprite,
                           const LockedImage& texels, const LockedImage& frame,
                           const ShadeTable& shade, int32_t from, int32_t to,
                           const OpaqueRows* opaque) {
    const long long size = billboard.size;
    // The first stripe that reaches into the band.
    const int32_t skipped =
        from > billboard.startX ? (from - billboard.startX) / billboard.stepX : 0;
    const int32_t first = billboard.startX + skipped * billboard.stepX;
    for (int32_t stripe = first; stripe < billboard.endX && stripe < to;
         stripe += billboard.stepX) {
        if (stripe <= 0 || stripe >= screenWidth ||
            !(depthBuffer[stripe / columnWidth] > billboard.depth)) {
            continue;
        }
        LockedImage::Area columns = frame.clip(stripe, 0, billboard.stepX, 1);
        columns.left = std::max(columns.left, from);
        columns.right = std::min(columns.right, to);
        if (columns.empty()) {
            continue;
        }
        const int texX = clampTexel(
            ((static_cast<long long>(stripe) - billboard.screenX + billboard.half) * 16384 / size) /
            256);
        // A column of the picture with nothing in it leaves the stripe as it was.
        const std::pair<int16_t, int16_t> rows =
            opaque != nullptr ? opaque->columns[static_cast<std::size_t>(texX)]
                              : std::pair<int16_t, int16_t>{0, TILE - 1};
        if (rows.first > rows.second) {
            continue;
        }
        drawStripe(billboard, CoverageMask::span(columns.left, columns.right), sprite.x + texX,
                   sprite.y, rows, texels, frame, shade);
    }
}

// One stripe of a billboard, sample by sample down its rows.
void Camera::drawStripe(const Billboard& billboard, const CoverageMask::Span& span, int32_t texelX,
                        int32_t spriteTop, std::pair<int16_t, int16_t> rows,
                        const LockedImage& texels, const LockedImage& frame,
                        const ShadeTable& shade) {
    const bool direct = texels.isDirect() && frame.isDirect() && shade.exact();
    const long long size = billboard.size;
    // The texture row of screen row y is ((2y - screenHeight + size) * 8192 / size) / 256.
    SteppedQuotient scaledY((2LL * billboard.startY - screenHeight + size) * 8192,
                            2LL * billboard.stepY * 8192, size);
    for (int32_t y = billboard.startY; y < billboard.endY; y += billboard.stepY, scaledY.next()) {
        const int32_t bottom = std::min(y + billboard.stepY, frame.height());
        if (bottom <= y) {
            return; // the rest of the stripe lies below the frame
        }
        // Most of a skull's square is transparent: that is looked at before the coverage,
        // and above and below the column's first and last opaque texel not even that.
        const int32_t texY = clampTexel(scaledY.value() / 256);
        if (texY < rows.first) {
            continue;
        }
        if (texY > rows.second) {
            return; // the texture rows only grow down the stripe
        }
        const int32_t texelY = spriteTop + texY;
        if (direct) {
            const uint32_t texel = texels.word(texelX, texelY);
            if (texels.alphaByte(texel) != 0 && !coverage.covers(span, y, bottom)) {
                drawBlock(frame, span, y, bottom, frame.shaded(texels, texel, shade));
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
        // Its length is the count of trailing ones: one instruction, where a popcount on
        // the baseline x86-64 the package is built for is a call.
        frame.putRun(left, row, free == ~uint64_t{0} ? 64 : __builtin_ctzll(~free), pixel);
        return;
    }
    while (free != 0) {
        const int32_t bit = __builtin_ctzll(free);
        frame.put(left + bit, row, pixel);
        free &= free - 1;
    }
}
