#pragma once

#include "render/Camera.h"
#include "render/ImageBuffer.h"
#include "units/Unit.h"

// The wall and billboard passes written the plain way: one al_get_pixel per texel and one
// al_put_pixel per pixel, into the current target, which the caller has locked. Slow, but
// easy to check against its description; the Camera's passes must write exactly the same
// bytes and depths. They read the camera's public state and write its depth buffer.
class PlainCameraPasses {
  public:
    static void drawWalls(Camera& camera, ImageBuffer* texture);
    static void drawSprite(const Camera& camera, Unit* unit);
};
