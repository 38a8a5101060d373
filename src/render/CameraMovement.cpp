// How the camera answers the player's movement and turning.
#include "render/Camera.h"

#include "core/MouseEvent.h"
#include "core/MoveEvent.h"
#include "world/MapGrid.h"

#include <cmath>
#include <cstdlib>

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
        const MouseEvent& mouseEvent = static_cast<const MouseEvent&>(event);
        // The keys' turn first, by this frame's speed before the pointer scales it.
        if (mouseEvent.keyTurn != 0) {
            rotate(mouseEvent.keyTurn * rotSpeed);
        }
        if (mouseEvent.stickTurn != 0) {
            rotate(mouseEvent.stickTurn * rotSpeed / 1000.0);
        }
        turn(mouseEvent.deltaX);
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

// A positive deltaX (the pointer went left) turns toward the left of the view. In the
// classic way, larger mouse travel picks a larger, fixed turn for this frame; smoothly,
// the turn follows the travel pixel for pixel.
void Camera::turn(int32_t deltaX) {
    if (radiansPerPixel > 0.0) {
        if (deltaX != 0) {
            rotate(deltaX * radiansPerPixel);
        }
        return;
    }
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
    rotate(rotSpeed);
}

// Turns the direction and the camera plane together, by a positive angle to the left.
void Camera::rotate(double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double oldDirX = dirX;
    dirX = dirX * c - dirY * s;
    dirY = oldDirX * s + dirY * c;
    const double oldPlaneX = planeX;
    planeX = planeX * c - planeY * s;
    planeY = oldPlaneX * s + planeY * c;
}
