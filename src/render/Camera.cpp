#include "render/Camera.h"

#include "render/PixelConversions.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const int MAX_RAY_COLUMNS = 200;
const double FURTHEST_SHADE = 20.0;

} // namespace

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
    return PixelConversions::darken(colour, divisor);
}

bool Camera::fitsInt(double value) {
    return value >= static_cast<double>(INT_MIN) && value <= static_cast<double>(INT_MAX);
}
