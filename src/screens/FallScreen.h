#pragma once

#include "screens/Screen.h"

#include <string>
#include <vector>

// "You fell": how the level went, and what now. Load (the last save, when there is one),
// Restart (the level afresh at the same skill) or Menu; Escape and the close button leave
// the game, and a fallen player is never saved, so the last save stays good.
class FallScreen : public Screen {
  public:
    // loadBrings: what the last save holds ("The Narrows, Haunted, saved at 14:02"), said
    // above the choices; empty when there is no save, and then Load is not offered.
    FallScreen(const Fonts& fonts, const std::vector<std::string>& tally,
               const std::string& loadBrings);

    // Next::Load, Next::Play (Restart), Next::Back (the menu) or Next::Quit.
    Next update(const MenuCommand& command) override;
    void draw() const override;

    static constexpr int ITEM_TOP = 250;
    static constexpr int LOAD_LINE_Y = 220;
    static constexpr int ITEM_GAP = 30;

  private:
    struct Item {
        const char* text;
        Next next;
    };
    int32_t clickedItem(const MenuCommand& command) const;

    Fonts fonts;
    std::vector<std::string> tally;
    std::string loadLine;
    std::vector<Item> items;
    int32_t selected = 0;
};
