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

void PauseScreen::draw() const {
    al_draw_filled_rectangle(0, 0, WIDTH, HEIGHT, al_map_rgba(0, 0, 0, DIM_ALPHA));
    const float centreX = WIDTH * 0.5f;
    const ALLEGRO_COLOR bone = Hud::ink();
    if (fonts.title != nullptr) {
        al_draw_text(fonts.title, bone, centreX, TITLE_Y, ALLEGRO_ALIGN_CENTRE, "Paused");
    }
    if (fonts.text == nullptr) {
        return;
    }
    al_draw_text(fonts.text, bone, centreX, HINT_Y, ALLEGRO_ALIGN_CENTRE, goOnLine());
    al_draw_text(fonts.text, bone, centreX, HINT_Y + LINE_GAP, ALLEGRO_ALIGN_CENTRE, leaveLine());
    optionsLine.draw(padConnected);
    for (std::size_t i = 0; i < tallyLines.size(); ++i) {
        al_draw_text(fonts.text, bone, centreX, TALLY_Y + LINE_GAP * static_cast<float>(i),
                     ALLEGRO_ALIGN_CENTRE, tallyLines[i].c_str());
    }
}
