#include "game/SwordSway.h"

namespace {

const int16_t TURN_RIGHT_OF = 157;
const int16_t TURN_LEFT_OF = 143;
const double DIP = 0.4;

} // namespace

SwordSway::SwordSway(int32_t screenHeight)
    : swordX(REST_X), swordY(static_cast<int16_t>(screenHeight - HEIGHT)),
      screenHeight(screenHeight) {}

bool SwordSway::step(bool running) {
    int16_t stride = running ? 2 : 1;
    if (!swayRight) {
        stride = static_cast<int16_t>(-stride);
    }
    swordX = static_cast<int16_t>(swordX + stride);
    const double offset = (swordX - REST_X) * DIP;
    swordY = static_cast<int16_t>(screenHeight + offset * offset - static_cast<double>(HEIGHT));
    if (swordX > TURN_RIGHT_OF && swayRight) {
        swayRight = false;
        return true;
    }
    if (swordX < TURN_LEFT_OF && !swayRight) {
        swayRight = true;
        return true;
    }
    return false;
}
