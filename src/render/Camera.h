#pragma once

#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/Trackable.h"
#include "render/ImageBuffer.h"
#include "render/Sprite.h"

#include <allegro5/allegro.h>
#include <cstdint>

class Unit;

// The player's eye: position, view direction and camera plane in grid cells. It draws
// the first-person view by casting one ray per column of blocks into the locked target,
// draws units as billboards against the walls' depths, and moves on input events.
class Camera : public Trackable, public EventListener {
  public:
    explicit Camera(EventSystem* eventSystem);
    ~Camera() override;
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // Sizes the view and its depth buffer, and starts listening for movement.
    void init(int height, int width, int** grid);
    // The wall pass: walls, floor and ceiling into the current target, which the caller
    // has locked for reading and writing.
    void drawWalls(ImageBuffer* texture);
    // One unit as a billboard, after this frame's wall pass, into the same locked target.
    void drawSprite(Unit* unit);
    void handleEvent(const Event& event) override;

    EventSystem* eventSystem;
    double posX = 0.0;
    double posY = 0.0;
    double dirX = -1.0;
    double dirY = 0.0;
    double planeX = 0.0;
    double planeY = 0.66;
    double shadeBase = 1.35;
    double moveSpeed = 0.0;
    double rotSpeed = 0.0;
    bool moved = false;
    bool running = false;
    int32_t screenHeight = 0;
    int32_t screenWidth = 0;
    int32_t columnWidth = 1;
    int32_t rowHeight = 1;
    int32_t maxRaySteps = 12;
    int** grid = nullptr;
    double* depthBuffer = nullptr;

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

    void castColumn(int32_t x, ALLEGRO_BITMAP* texture);
    void traceRay(Ray& ray) const;
    void marchToWall(Ray& ray) const;
    void measureWall(Ray& ray) const;
    void drawWallSlice(const Ray& ray, ALLEGRO_BITMAP* texture) const;
    void drawFloorAndCeiling(const Ray& ray, ALLEGRO_BITMAP* texture) const;
    bool placeBillboard(const Unit& unit, Billboard& billboard) const;
    void drawBillboard(const Billboard& billboard, const Sprite& sprite) const;
    void fillBlock(int32_t x, int32_t y, int32_t width, int32_t height, ALLEGRO_COLOR colour) const;
    void rememberTargetSize();

    void move(int16_t strafe, int16_t forward);
    bool keepsClearOfWalls(double stepX, double stepY, double newX, double newY) const;
    void turn(int32_t deltaX);

    bool listening = false;
    // Size of the bitmap being drawn into, so that no pixel is written outside it.
    int32_t targetWidth = 0;
    int32_t targetHeight = 0;
};
