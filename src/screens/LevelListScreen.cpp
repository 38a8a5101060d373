#include "screens/LevelListScreen.h"

#include "core/Tally.h"
#include "render/Hud.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>

namespace {

const float TITLE_Y = 24.0f;
const float NAME_X = 50.0f;
const float BEST_X = 550.0f;
const float FOOT_Y = 356.0f;
const float NOTE_Y = 336.0f;
const float CLICK_LEFT = 40.0f;

ALLEGRO_COLOR chosenInk() {
    return al_map_rgb(0, 255, 0);
}

} // namespace

LevelListScreen::LevelListScreen(const Fonts& fonts, const std::vector<LevelInfo>& levels,
                                 int selected)
    : fonts(fonts), levels(levels),
      chosen(std::clamp(selected, 0, std::max(0, static_cast<int>(levels.size()) - 1))) {
    firstShown = std::max(0, chosen - VISIBLE_ROWS + 1);
}

std::string LevelListScreen::bestLine(const LevelInfo& level) {
    const std::string best = level.bestMs >= 0 ? Tally::clock(level.bestMs) : "not cleared";
    return level.parSeconds > 0 ? best + " (par " + Tally::clock(level.parSeconds * 1000LL) + ")"
                                : best;
}

Screen::Next LevelListScreen::update(const MenuCommand& command) {
    const int count = static_cast<int>(levels.size());
    if (askingRemove) {
        if (command.letter == 0 && !command.back && !command.leave && !command.choose) {
            return Next::Stay; // the question stands until it is answered
        }
        askingRemove = false;
        footNote.clear();
        return command.letter == 'y' ? Next::Remove : Next::Stay;
    }
    if (command.back || command.leave) {
        return Next::Back;
    }
    if (command.fullscreen) {
        return Next::Fullscreen;
    }
    if (command.up && count > 0) {
        chosen = (chosen + count - 1) % count;
    } else if (command.down && count > 0) {
        chosen = (chosen + 1) % count;
    }
    const int32_t clicked = clickedRow(command);
    if (clicked >= 0) {
        chosen = clicked;
    }
    firstShown = std::clamp(firstShown, std::max(0, chosen - VISIBLE_ROWS + 1), chosen);
    if (command.letter == 'n') {
        newLevel = true;
        return Next::Edit;
    }
    if (count == 0) {
        return Next::Stay;
    }
    if (command.choose || command.start) {
        return Next::Play;
    }
    if (command.letter == 'e') {
        return Next::Edit;
    }
    if (command.remove) {
        if (levels[static_cast<std::size_t>(chosen)].own) {
            askingRemove = true;
            footNote = "Remove \"" + levels[static_cast<std::size_t>(chosen)].name + "\"? Y or N";
        } else {
            footNote = "The crypt's levels stay; only your own can be removed";
        }
    }
    return Next::Stay;
}

int32_t LevelListScreen::clickedRow(const MenuCommand& command) const {
    if (!command.click || command.clickX < CLICK_LEFT || command.clickX > WIDTH - CLICK_LEFT ||
        command.clickY < TOP) {
        return -1;
    }
    const int32_t row = firstShown + (command.clickY - TOP) / ROW_HEIGHT;
    return (command.clickY - TOP) / ROW_HEIGHT < VISIBLE_ROWS &&
                   row < static_cast<int32_t>(levels.size())
               ? row
               : -1;
}

void LevelListScreen::draw() const {
    al_clear_to_color(al_map_rgb(0, 0, 0));
    if (fonts.title != nullptr) {
        al_draw_text(fonts.title, Hud::ink(), WIDTH / 2.0f, TITLE_Y, ALLEGRO_ALIGN_CENTRE,
                     "Levels");
    }
    if (fonts.text == nullptr) {
        return;
    }
    const int last = std::min(static_cast<int>(levels.size()), firstShown + VISIBLE_ROWS);
    for (int row = firstShown; row < last; ++row) {
        drawRow(row, static_cast<float>(TOP + (row - firstShown) * ROW_HEIGHT));
    }
    if (levels.empty()) {
        al_draw_text(fonts.text, Hud::ink(), WIDTH / 2.0f, TOP, ALLEGRO_ALIGN_CENTRE,
                     "No level found: N makes one");
    }
    if (!footNote.empty()) {
        al_draw_text(fonts.text, al_map_rgb(255, 200, 80), WIDTH / 2.0f, NOTE_Y,
                     ALLEGRO_ALIGN_CENTRE, footNote.c_str());
    }
    al_draw_text(fonts.text, Hud::ink(), WIDTH / 2.0f, FOOT_Y, ALLEGRO_ALIGN_CENTRE,
                 "Enter plays, E edits, N makes a new level");
    al_draw_text(fonts.text, Hud::ink(), WIDTH / 2.0f, FOOT_Y + 20.0f, ALLEGRO_ALIGN_CENTRE,
                 "Delete removes one of your own; Escape goes back");
}

void LevelListScreen::drawRow(int row, float y) const {
    const LevelInfo& level = levels[static_cast<std::size_t>(row)];
    const ALLEGRO_COLOR ink = row == chosen ? chosenInk() : al_map_rgb(255, 255, 255);
    const bool firstOwn = level.own && (row == 0 || !levels[static_cast<std::size_t>(row - 1)].own);
    if (firstOwn) {
        al_draw_line(NAME_X, y - 2.0f, BEST_X, y - 2.0f, al_map_rgb(90, 90, 90), 1.0f);
    }
    const std::string name = (level.own ? "* " : "") + level.name;
    al_draw_text(fonts.text, ink, NAME_X, y, ALLEGRO_ALIGN_LEFT, name.c_str());
    al_draw_text(fonts.text, ink, BEST_X, y, ALLEGRO_ALIGN_RIGHT, bestLine(level).c_str());
    if (row == chosen) {
        al_draw_text(fonts.text, ink, NAME_X - 16.0f, y, ALLEGRO_ALIGN_LEFT, ">");
    }
}
