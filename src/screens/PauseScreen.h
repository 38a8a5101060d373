#pragma once

#include "core/Trackable.h"
#include "screens/KeyLine.h"
#include "screens/Screen.h"

#include <string>
#include <vector>

// Play held still, and why: the window lost the focus, the Pause key (or Start) was
// pressed, or the pad in use was pulled out. Drawn over the frame as it stood, dimmed,
// with the title and how to go on, how to leave and the Options line.
class PauseScreen : public Screen, public Trackable {
  public:
    explicit PauseScreen(const Fonts& fonts)
        : fonts(fonts), optionsLine(fonts.text, WIDTH / 2, OPTIONS_LINE_Y, KeyLine::OPTIONS) {}

    bool paused() const { return unfocused || byKey || padGone; }
    void focusLost() { unfocused = true; }
    void focusGained() { unfocused = false; }
    void pausePressed() { byKey = true; }
    void padUnplugged() { padGone = true; }
    // Whether a pad is in the player's hands, which the lines name.
    void padIs(bool connected) { padConnected = connected; }

    // Pause or Start plays on (the focus must come back too, when it went); Escape or Back
    // held leaves, saving; O or North opens the Options screen.
    Next update(const MenuCommand& command) override;
    void draw() const override;

    // What the lines say now: they depend on why play is held and on the pad.
    std::string lines() const;
    // Where the lines under the title stand, the tally's with them.
    std::vector<PlacedText> placedLines() const;

    static constexpr int32_t OPTIONS_LINE_Y = 144;
    // How the level is going, under the lines (and, once it is cleared, the way on).
    std::vector<std::string> tallyLines;

  private:
    const char* goOnLine() const;
    const char* leaveLine() const;

    Fonts fonts;
    KeyLine optionsLine;
    bool unfocused = false;
    bool byKey = false;
    bool padGone = false;
    bool padConnected = false;
};
