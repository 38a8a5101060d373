#pragma once

#include "screens/OptionsMenu.h"
#include "screens/Screen.h"

// The Options screen, drawn: the rows of its page, the selected one in green, and the hint
// at its foot. Its rules and the settings it changes are OptionsMenu's; the game reads
// settings() after each update and puts a change in force at once.
class OptionsScreen : public Screen {
  public:
    OptionsScreen(const Settings& settings, const Fonts& fonts) : menu(settings), fonts(fonts) {}

    Next update(const MenuCommand& command) override;
    void draw() const override;
    bool waitingForPress() const override { return menu.waitingForKey; }

    const Settings& settings() const { return menu.settings; }
    // The settings as they now stand in force (a desktop may have refused the full screen).
    void settingsNowAre(const Settings& settings) { menu.settings = settings; }

  private:
    // The row under a click, or -1.
    int32_t clickedRow(const MenuCommand& command) const;

    OptionsMenu menu;
    Fonts fonts;
};
