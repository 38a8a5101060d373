#pragma once

#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/Trackable.h"
#include "core/WorkerPool.h"
#include "render/CoverageMask.h"
#include "render/ImageBuffer.h"
#include "render/LockedImage.h"
#include "render/ShadeTable.h"
#include "render/Sprite.h"
#include "world/SeenCells.h"
#include "world/Viewpoint.h"

#include <allegro5/allegro.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class BitmapLock;
class Unit;

// The player's eye: its Viewpoint (the position), view direction and camera plane in
// grid cells. It draws the first-person view by casting one ray per column of blocks
// into the locked target, draws units as billboards against the walls' depths, and moves
// on input events.
class Camera : public Trackable, public EventListener, public Viewpoint {
  public:
    explicit Camera(EventSystem* eventSystem);
    ~Camera() override;
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Sizes the view and its depth buffer, and starts listening for movement.
    void init(int height, int width, int** grid);
    // The wall pass: walls, floor and ceiling into the frame, the current target, which
    // the caller has locked for reading and writing.
    void drawWalls(ImageBuffer* texture, const LockedImage& frame);
    // One unit as a billboard, after this frame's wall pass, into the same locked frame.
    // False when it put no pixel there (all it showed of itself was transparent).
    bool drawSprite(Unit* unit, const LockedImage& frame);
    // Every unit of the list as a billboard: the picture of one drawSprite each, in list
    // order, every one over the last; but drawn last to first, skipping pixels a later
    // unit has taken, so that a crowd costs no more than the screen it covers.
    void drawSprites(const std::vector<Unit*>& units, const LockedImage& frame);
    // The cells this view shows, marked as seen: every cell each ray of the wall pass
    // crosses, and the wall it strikes. Draws nothing.
    void markSeen(SeenCells& seen) const;

    void handleEvent(const Event& event) override;

    // Facing as every new game begins: toward line 0 of the level.
    void faceAsNewGame() {
        dirX = START_DIR_X;
        dirY = 0.0;
        planeX = 0.0;
        planeY = START_PLANE_Y;
    }
    static constexpr double START_DIR_X = -1.0;
    static constexpr double START_PLANE_Y = 0.66;

    EventSystem* eventSystem;
    double dirX = START_DIR_X;
    double dirY = 0.0;
    double planeX = 0.0;
    double planeY = START_PLANE_Y;
    double shadeBase = 1.35;
    double moveSpeed = 0.0;
    double rotSpeed = 0.0;
    bool moved = false;
    bool running = false;
    // Turning by the pointer: zero keeps the three fixed turn sizes of the classic game;
    // above zero the view turns this many radians per pixel of travel.
    double radiansPerPixel = 0.0;
    int32_t screenHeight = 0;
    int32_t screenWidth = 0;
    int32_t columnWidth = 1;
    int32_t rowHeight = 1;
    int32_t maxRaySteps = 12;
    int** grid = nullptr;
    double* depthBuffer = nullptr;
    // The threads the passes share their bands of columns with, when the frame and the
    // pictures are read and written straight through memory; null: all on this one.
    WorkerPool* workers = nullptr;

    // The nearest the viewpoint comes to a wall it walks toward; any nearer and a few
    // texels would fill the view.
    static constexpr double WALL_MARGIN = 0.2;

    // How far a point is from the viewpoint, in cells.
    double distanceTo(double x, double y) const;
    // How far the point lies ahead of the camera along its view, in camera space:
    // positive in front, negative behind, 0 at the camera's own position.
    double depthOf(double x, double y) const;
    // The divisor that darkens something seen at this distance.
    double shadeDivisor(double distance) const;
    static ALLEGRO_COLOR darken(ALLEGRO_COLOR colour, double divisor);

  private:
    struct Ray;
    struct Billboard;
    struct PlacedUnit;
    struct OpaqueRows;
    // What a floor row shows at, the same for every column.
    struct FloorRow {
        double distance;
        double divisor;
        ShadeTable shade;
    };

    // Columns of a band the passes share out: whole words of the coverage mask.
    static constexpr int32_t BAND_COLUMNS = 64;
    int32_t bandCount() const;
    // The parts on the workers and this thread, or all on this one.
    void shareOut(int32_t parts, const std::function<void(int32_t)>& part) const;
    int32_t bandStart(int32_t band, int32_t bands) const;

    static bool fitsInt(double value);
    // A texel index kept inside its 64-texel tile.
    static int clampTexel(long long texel) {
        return static_cast<int>(texel < 0 ? 0 : texel > 63 ? 63 : texel);
    }

    void castColumn(int32_t x, const LockedImage* texels, const LockedImage& frame);
    void traceRay(Ray& ray) const;
    // Marks each cell it enters in seen, when it is given.
    void marchToWall(Ray& ray, SeenCells* seen = nullptr) const;
    void aimRay(Ray& ray, int32_t column) const;
    void measureWall(Ray& ray) const;
    void drawWallSlice(const Ray& ray, const LockedImage& texels, const LockedImage& frame) const;
    LockedImage::Pixel wallPixel(const Ray& ray, const LockedImage& texels,
                                 const LockedImage& frame, int32_t texelX, int32_t texY,
                                 double divisor) const;
    void drawFloorAndCeiling(const Ray& ray, const LockedImage& texels,
                             const LockedImage& frame) const;
    void prepareFloorRows();
    void workOutFloorRows(const LockedImage& texels);
    bool placeBillboard(const Unit& unit, Billboard& billboard) const;
    bool placeUnit(Unit& unit, PlacedUnit& placed,
                   std::vector<std::unique_ptr<BitmapLock>>& pictures) const;
    void drawBillboard(const Billboard& billboard, const Sprite& sprite, const LockedImage& texels,
                       const LockedImage& frame, const ShadeTable& shade, int32_t from, int32_t to,
                       const OpaqueRows* opaque);
    void drawStripe(const Billboard& billboard, const CoverageMask::Span& span, int32_t texelX,
                    int32_t spriteTop, std::pair<int16_t, int16_t> rows, const LockedImage& texels,
                    const LockedImage& frame, const ShadeTable& shade);
    static void putFree(const LockedImage& frame, int32_t row, int32_t left, uint64_t free,
                        const LockedImage::Pixel& pixel);
    void drawBlock(const LockedImage& frame, const CoverageMask::Span& span, int32_t top,
                   int32_t bottom, const LockedImage::Pixel& pixel);
    void drawOneSprite(Unit* unit, const LockedImage& frame);

    void move(int16_t strafe, int16_t forward);
    bool keepsClearOfWalls(double stepX, double stepY, double newX, double newY) const;
    void turn(int32_t deltaX);
    void rotate(double radians);

    bool listening = false;
    // Per row of the view, for the floor and ceiling; made again when what it is made
    // from changes.
    std::vector<FloorRow> floorRows;
    double floorRowsShadeBase = 0.0;
    int32_t floorRowsHeight = -1;
    int32_t floorRowsStep = -1;
    bool floorRowsWorkedOut = false;
    CoverageMask coverage;
    // The darkening of the billboard being drawn.
    ShadeTable billboardShade;
};
