#include "screens/PauseScreen.h"

#include "render/Hud.h"

#include <allegro5/allegro_primitives.h>

namespace {

const int DIM_ALPHA = 150;
const int TITLE_Y = 60;
const int HINT_Y = 104;
const int LINE_GAP = 20;
const int TALLY_Y = 196;

} // namespace

Screen::Next PauseScreen::update(const MenuCommand& command) {
    padConnected = command.padConnected;
    if (command.leave) {
        return Next::Quit;
    }
    if (command.pause || command.start) {
        byKey = false;
        padGone = false;
    }
    if (optionsLine.asked(command)) {
        return Next::Options;
    }
    return paused() ? Next::Stay : Next::Resume;
}

const char* PauseScreen::goOnLine() const {
    return unfocused      ? "Click the window to play on"
           : padGone      ? "The pad was unplugged: press Pause to play on"
           : padConnected ? "Press Pause or Start to play on"
                          : "Press Pause to play on";
}

const char* PauseScreen::leaveLine() const {
    return padConnected ? "Escape, or Back held, saves and quits" : "Escape saves and quits";
}

std::string PauseScreen::lines() const {
    return std::string(goOnLine()) + "\n" + leaveLine() + "\n" + optionsLine.text(padConnected);
}

std::vector<PlacedText> PauseScreen::placedLines() const {
    const float centreX = WIDTH * 0.5f;
    std::vector<PlacedText> placed{{goOnLine(), centreX, HINT_Y, ALLEGRO_ALIGN_CENTRE},
                                   {leaveLine(), centreX, HINT_Y + LINE_GAP, ALLEGRO_ALIGN_CENTRE},
                                   optionsLine.placed(padConnected)};
    for (std::size_t i = 0; i < tallyLines.size(); ++i) {
        placed.push_back({tallyLines[i], centreX, TALLY_Y + LINE_GAP * static_cast<float>(i),
                          ALLEGRO_ALIGN_CENTRE});
    }
    return placed;
}

void PauseScreen::draw() const {
    al_draw_filled_rectangle(0, 0, WIDTH, HEIGHT, al_map_rgba(0, 0, 0, DIM_ALPHA));
    const ALLEGRO_COLOR bone = Hud::ink();
    if (fonts.title != nullptr) {
        al_draw_text(fonts.title, bone, WIDTH * 0.5f, TITLE_Y, ALLEGRO_ALIGN_CENTRE, "Paused");
    }
    if (fonts.text == nullptr) {
        return;
    }
    for (const PlacedText& line : placedLines()) {
        line.draw(fonts.text, bone);
    }
}
