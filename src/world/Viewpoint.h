#pragma once

// Where the player stands, in grid cells. The camera is one; a unit walking toward the
// player needs no more of the camera than this, so units do not depend on the renderer.
struct Viewpoint {
    double posX = 0.0;
    double posY = 0.0;
};
