#include "io/PadControls.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using Button = PadBindings::Button;
using Action = PadBindings::Action;

// The left stick past this share of its travel points the way a d-pad does, in the menus.
const double MENU_TILT = 0.5;
// A base turn's thousandths at full tilt for each step of sensitivity (5: a whole one).
const double TURN_PER_SENSITIVITY = 200.0;

int8_t sign(double value) {
    return value > 0.0 ? 1 : value < 0.0 ? -1 : 0;
}

} // namespace

void PadControls::take(const PadState& state, double now) {
    previous = current;
    current = state;
    nowMs = now;
    // Back let go before it was held long enough to leave: a short press, for the map.
    backTapped = previous.down(Button::Back) && !current.down(Button::Back) &&
                 backDownSinceMs >= 0.0 && now - backDownSinceMs < QUIT_HOLD_MS;
    if (!current.down(Button::Back)) {
        backDownSinceMs = -1.0;
    } else if (backDownSinceMs < 0.0) {
        backDownSinceMs = now;
    }
}

void PadControls::startAfresh() {
    previous = current;
    backDownSinceMs = current.down(Button::Back) ? nowMs : -1.0;
}

double PadControls::deflection(int32_t axis, int32_t deadZonePercent) {
    const double tilt = std::clamp(axis / static_cast<double>(PadState::AXIS_MAX), -1.0, 1.0);
    const double zone = std::clamp(deadZonePercent, 0, 95) / 100.0;
    if (std::fabs(tilt) <= zone) {
        return 0.0;
    }
    return sign(tilt) * (std::fabs(tilt) - zone) / (1.0 - zone);
}

int16_t PadControls::stickTurn(int32_t axisX, const PadSettings& settings) {
    // Right on the stick turns right, which is a negative turn.
    const double turn = -deflection(axisX, settings.deadZone) * settings.sensitivity *
                        TURN_PER_SENSITIVITY * (settings.invert ? -1.0 : 1.0);
    return static_cast<int16_t>(std::lround(turn));
}

void PadControls::addTo(PlayerCommand& command, const PadSettings& settings) const {
    if (!current.connected) {
        return;
    }
    const PadBindings& buttons = settings.buttons;
    if (command.forward == 0) {
        const int8_t stick = -sign(deflection(current.leftY, settings.deadZone));
        command.forward = down(Button::DpadUp) ? 1 : down(Button::DpadDown) ? -1 : stick;
    }
    if (command.strafe == 0) {
        const int8_t stick = sign(deflection(current.leftX, settings.deadZone));
        command.strafe = down(Button::DpadLeft) ? -1 : down(Button::DpadRight) ? 1 : stick;
    }
    command.stickTurn = stickTurn(current.rightX, settings);
    command.run = command.run || down(buttons.button(Action::Run));
    command.spawn = command.spawn || pressed(buttons.button(Action::Spawn));
    command.slower = command.slower || pressed(buttons.button(Action::Slower));
    command.faster = command.faster || pressed(buttons.button(Action::Faster));
    command.sword = command.sword || pressed(buttons.button(Action::Sword));
    command.save = command.save || pressed(buttons.button(Action::Save));
    command.pause = command.pause || pressed(buttons.button(Action::Pause));
    command.fullscreen = command.fullscreen || pressed(buttons.button(Action::Fullscreen));
    // The footstep key's sound stays silent while stepping aside, whoever steps.
    command.footstep =
        command.strafe == 0 && (command.footstep || down(buttons.button(Action::Footstep)));
    command.quit = command.quit || menuMoves().quit;
    command.map = command.map || backTapped;
}

PadControls::MenuMoves PadControls::menuMoves() const {
    MenuMoves moves;
    if (!current.connected) {
        return moves;
    }
    moves.up = pointed(UP);
    moves.down = pointed(DOWN);
    moves.left = pointed(LEFT);
    moves.right = pointed(RIGHT);
    moves.choose = pressed(Button::South);
    moves.back = pressed(Button::East);
    moves.start = pressed(Button::Start);
    moves.options = pressed(Button::North);
    moves.quit = backDownSinceMs >= 0.0 && nowMs - backDownSinceMs >= QUIT_HOLD_MS;
    return moves;
}

PadBindings::Button PadControls::pressedButton() const {
    for (int i = 0; i < PadBindings::BUTTON_COUNT; ++i) {
        if (pressed(static_cast<Button>(i))) {
            return static_cast<Button>(i);
        }
    }
    return Button::COUNT;
}

bool PadControls::pointing(const PadState& state, Direction direction) {
    const double tiltX = state.leftX / static_cast<double>(PadState::AXIS_MAX);
    const double tiltY = state.leftY / static_cast<double>(PadState::AXIS_MAX);
    switch (direction) {
    case UP:
        return state.down(Button::DpadUp) || tiltY < -MENU_TILT;
    case DOWN:
        return state.down(Button::DpadDown) || tiltY > MENU_TILT;
    case LEFT:
        return state.down(Button::DpadLeft) || tiltX < -MENU_TILT;
    case RIGHT:
        return state.down(Button::DpadRight) || tiltX > MENU_TILT;
    default:
        return false;
    }
}

bool PadControls::pointed(Direction direction) const {
    return pointing(current, direction) && !pointing(previous, direction);
}

bool PadControls::pressed(Button button) const {
    return current.down(button) && !previous.down(button);
}
