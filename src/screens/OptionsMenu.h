#pragma once

#include "core/KeyBindings.h"
#include "core/Settings.h"

#include <cstdint>
#include <string>
#include <vector>

// The Options screen as plain data: its rows, the selection, and what each key does to
// the settings it holds. Three pages: the settings; the keys, where choosing an action
// waits for the key to give it; and the pad, its buttons (chosen the same way, by
// pressing one) and how its stick turns and its motor rumbles. The game draws it and puts
// each change in force.
class OptionsMenu {
  public:
    enum class Page { Settings, Keys, Pad };

    // The keys first pressed in one pass, and a click on a row (-1: none).
    struct Input {
        bool up = false;
        bool down = false;
        bool left = false;
        bool right = false;
        bool enter = false;
        bool escape = false;
        int32_t clickedRow = -1;
        int pressedKey = 0; // any key, for the one an action waits for
        // Any pad button, for the one a pad action waits for: a PadBindings::Button, or
        // -1 for none.
        int pressedButton = -1;
    };

    struct Row {
        std::string label;
        std::string value; // empty for a row that leads somewhere
    };

    explicit OptionsMenu(const Settings& settings) : settings(settings) {}

    // Applies one pass's input. False once the player has left the screen.
    bool apply(const Input& input);
    std::vector<Row> rows() const;
    std::string title() const;
    // What to do now, or what just happened ("W was on Back: they swapped").
    std::string hint() const;

    Settings settings;
    Page page = Page::Settings;
    int32_t selected = 0;
    bool waitingForKey = false;

  private:
    bool applyOnSettingsPage(const Input& input);
    void applyOnKeysPage(const Input& input);
    void applyOnPadPage(const Input& input);
    void leaveForSettings(int32_t row);
    void change(const Settings::Entry& entry, int direction);
    void takeKey(int keycode);
    void takePadButton(int button);
    std::vector<Row> padRows() const;
    int32_t rowCount() const;

    std::string message;
};
