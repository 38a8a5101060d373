#pragma once

#include <array>
#include <string>

// Which pad button does which of the player's actions. Buttons go by the common pad
// layout: the four face buttons by where they sit (south, east, west, north), the
// shoulders, the triggers (pressed past half way), the sticks pressed in, the d-pad,
// Start and Back. Back is kept for leaving (held), and the pad's own Guide button for the
// system, so no one can lock themselves out; the d-pad and the left stick always walk,
// and in the menus the d-pad moves, South chooses, East goes back and Start pauses.
class PadBindings {
  public:
    enum class Button {
        South,
        East,
        West,
        North,
        Back,
        Guide,
        Start,
        LeftStick,
        RightStick,
        LeftShoulder,
        RightShoulder,
        DpadUp,
        DpadDown,
        DpadLeft,
        DpadRight,
        LeftTrigger,
        RightTrigger,
        COUNT
    };
    static constexpr int BUTTON_COUNT = static_cast<int>(Button::COUNT);

    enum class Action {
        Sword,
        Save,
        Spawn,
        Run,
        Slower,
        Faster,
        Pause,
        Fullscreen,
        Footstep,
        COUNT
    };
    static constexpr int ACTION_COUNT = static_cast<int>(Action::COUNT);

    // Right trigger strikes, North saves, West calls a skull, the left trigger runs, the
    // shoulders slow and speed the game, Start pauses, the right stick pressed fills the
    // screen, East plays a footstep.
    PadBindings();

    Button button(Action action) const { return buttons[index(action)]; }
    static bool isKept(Button button);
    // Gives the action the button; the action that had it takes this one's old button
    // and is returned (COUNT when none had it). A kept button is refused: false.
    bool bind(Action action, Button button, Action& swappedWith);

    // The name in the settings file ("sword") and on the Options screen ("Sword").
    static const char* settingName(Action action);
    static const char* label(Action action);
    // "south", "left trigger", ...; COUNT for a name that is none.
    static const char* buttonName(Button button);
    static Button buttonFromName(const std::string& name);

    bool operator==(const PadBindings& other) const { return buttons == other.buttons; }
    bool operator!=(const PadBindings& other) const { return buttons != other.buttons; }

  private:
    static int index(Action action) { return static_cast<int>(action); }

    std::array<Button, ACTION_COUNT> buttons;
};
