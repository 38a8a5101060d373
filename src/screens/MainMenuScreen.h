#pragma once

#include "render/Menu.h"
#include "screens/KeyLine.h"
#include "screens/Screen.h"

// The main menu: Play, Load and Quit under the title, the controls and the credit below,
// and the lines that name the Options and Levels keys. W and S (or Up and Down) move, Enter
// chooses, Escape leaves; a click on an item chooses it, a click on the Options line opens Options,
// on the Levels line the list of levels.
class MainMenuScreen : public Screen {
  public:
    // The menu is the game's; the screen moves its selection.
    MainMenuScreen(Menu* menu, const Fonts& fonts);

    Next update(const MenuCommand& command) override;
    // The skill new games are played at, named at the menu's foot unless it is as designed.
    void skillIs(int skill) { skillIndex = skill; }
    void draw() const override;

    static constexpr int32_t OPTIONS_LINE_Y = 350;

  private:
    // The item under a click, or -1.
    int32_t clickedItem(const MenuCommand& command) const;

    Menu* menu;
    Fonts fonts;
    KeyLine optionsLine;
    KeyLine levelsLine;
    bool padConnected = false;
    int skillIndex = 0;
};
