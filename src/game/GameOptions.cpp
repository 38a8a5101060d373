// The Options screen's loop, from the main menu or the pause screen: every change is
// put in force at once and kept.
#include "game/Game.h"

#include "game/OptionsMenu.h"

namespace {

const int TITLE_Y = 18;
const int ROW_TOP = 84;
const int LABEL_X = 120;
const int VALUE_X = 480;
const int HINT_FROM_BOTTOM = 28;

// The keys and pad pages have more rows than the settings page, and closer together.
int32_t rowGap(std::size_t rowCount) {
    return rowCount > 14 ? 18 : rowCount > 12 ? 20 : 22;
}

} // namespace

bool Game::runOptions() {
    OptionsMenu options(settings);
    displaySystem->showPointer();
    // The key or click that opened the screen is not a press on it.
    inputSystem->readKeyboard();
    inputSystem->rememberKeyboard();
    inputSystem->readMouse();
    inputSystem->readPad();
    bool redraw = true;
    frameTimer->start();
    while (true) {
        if (!frameIsDue() && !redraw) {
            sleepUntilFrameNearlyDue();
            continue;
        }
        if (displaySystem->readEvents().closeRequested) {
            return true;
        }
        if (!redraw && !options.apply(readOptionsInput(options))) {
            return false;
        }
        changeSettings(options.settings);
        options.settings = settings;
        drawOptions(options);
        frameTimer->start();
        redraw = false;
    }
}

OptionsMenu::Input Game::readOptionsInput(const OptionsMenu& options) const {
    inputSystem->readKeyboard();
    inputSystem->readMouse();
    inputSystem->readPad();
    const PadControls::MenuMoves pad = inputSystem->padMoves();
    OptionsMenu::Input input;
    input.escape = inputSystem->keyPressed(ALLEGRO_KEY_ESCAPE);
    if (options.waitingForKey) {
        input.pressedKey = inputSystem->anyKeyPressed();
        const PadBindings::Button button = inputSystem->padButtonPressed();
        input.pressedButton = button != PadBindings::Button::COUNT ? static_cast<int>(button) : -1;
    } else {
        input.escape = input.escape || pad.back;
        input.up = inputSystem->keyPressed(ALLEGRO_KEY_UP) ||
                   inputSystem->keyPressed(ALLEGRO_KEY_W) || pad.up;
        input.down = inputSystem->keyPressed(ALLEGRO_KEY_DOWN) ||
                     inputSystem->keyPressed(ALLEGRO_KEY_S) || pad.down;
        input.left = inputSystem->keyPressed(ALLEGRO_KEY_LEFT) || pad.left;
        input.right = inputSystem->keyPressed(ALLEGRO_KEY_RIGHT) || pad.right;
        input.enter =
            (inputSystem->keyPressed(ALLEGRO_KEY_ENTER) && !inputSystem->altDown()) || pad.choose;
        input.clickedRow = clickedOptionsRow(options);
    }
    inputSystem->rememberKeyboard();
    return input;
}

// The row under a click of the left button, or -1.
int32_t Game::clickedOptionsRow(const OptionsMenu& options) const {
    if (!inputSystem->buttonPressed(1)) {
        return -1;
    }
    int32_t x = inputSystem->currentMouse->x;
    int32_t y = inputSystem->currentMouse->y;
    displaySystem->toFrame(x, y);
    const std::size_t rowCount = options.rows().size();
    const int32_t row = (y - ROW_TOP) / rowGap(rowCount);
    const bool onRow = y >= ROW_TOP && row < static_cast<int32_t>(rowCount) && x >= LABEL_X - 20 &&
                       x <= VALUE_X + 20;
    return onRow ? row : -1;
}

void Game::drawOptions(const OptionsMenu& options) const {
    const float centreX = displaySystem->width * 0.5f;
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const ALLEGRO_COLOR green = al_map_rgb(0, 255, 0);
    const ALLEGRO_COLOR bone = Hud::ink();
    displaySystem->beginFrame();
    al_clear_to_color(al_map_rgb(0, 0, 0));
    if (mainMenu->titleFont != nullptr) {
        al_draw_text(mainMenu->titleFont, bone, centreX, TITLE_Y, ALLEGRO_ALIGN_CENTRE,
                     options.title().c_str());
    }
    const std::vector<OptionsMenu::Row> rows = options.rows();
    const int32_t gap = rowGap(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ALLEGRO_COLOR ink = static_cast<int32_t>(i) == options.selected ? green : white;
        const float y = ROW_TOP + static_cast<float>(i) * gap;
        const bool leadsOn = rows[i].value.empty();
        al_draw_text(font, ink, leadsOn ? centreX : LABEL_X, y,
                     leadsOn ? ALLEGRO_ALIGN_CENTRE : ALLEGRO_ALIGN_LEFT, rows[i].label.c_str());
        if (!leadsOn) {
            al_draw_text(font, ink, VALUE_X, y, ALLEGRO_ALIGN_RIGHT, rows[i].value.c_str());
        }
    }
    al_draw_text(font, bone, centreX, displaySystem->height - HINT_FROM_BOTTOM,
                 ALLEGRO_ALIGN_CENTRE, options.hint().c_str());
    displaySystem->showFrame();
}
