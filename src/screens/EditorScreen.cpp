// The editor's rules: what each key, button and drag does to the level.
#include "screens/EditorScreen.h"

#include <algorithm>

namespace {

const std::size_t TYPED_NAME_LIMIT = 30;
const int NOTE_FRAMES = 240; // four seconds at sixty frames

} // namespace

EditorScreen::EditorScreen(const Fonts& fonts, const Look& look, const LevelDraft& draft,
                           int cursorX, int cursorY)
    : fonts(fonts), look(look), level(draft), cursor{std::clamp(cursorX, 0, MAP_SIZE - 1),
                                                     std::clamp(cursorY, 0, MAP_SIZE - 1)} {}

void EditorScreen::problemsAre(const std::string& summary,
                               const std::vector<LevelFile::UnitPlace>& cells) {
    problemSummary = summary;
    problemCells = cells;
}

void EditorScreen::say(const std::string& words) {
    note = words;
    noteFrames = NOTE_FRAMES;
}

void EditorScreen::savesTo(const std::string& fileName, bool askName) {
    savesToFile = fileName;
    needsName = askName;
}

void EditorScreen::savedTo(const std::string& fileName) {
    savesTo(fileName, false);
    savedHere = true;
}

std::string EditorScreen::whereLine() const {
    if (savesToFile.empty()) {
        return "Ctrl+S saves it among yours";
    }
    if (level.changed()) {
        return "Unsaved; saves to " + savesToFile;
    }
    return (savedHere ? "Saved to " : "Saves to ") + savesToFile;
}

Screen::Next EditorScreen::update(const MenuCommand& command) {
    noteFrames = std::max(0, noteFrames - 1);
    if (command.fullscreen) {
        return Next::Fullscreen;
    }
    switch (mode) {
    case Mode::Naming:
        return updateNaming(command);
    case Mode::AskingLeave:
        return updateAskingLeave(command);
    default:
        return updateEditing(command);
    }
}

Screen::Next EditorScreen::updateEditing(const MenuCommand& command) {
    if (command.back) {
        if (!level.changed()) {
            return Next::Back;
        }
        mode = Mode::AskingLeave;
        return Next::Stay;
    }
    if (command.playNow) {
        level.endStroke();
        strokeValue = -1;
        return Next::Play;
    }
    if (command.ctrl && command.letter == 's') {
        if (needsName && level.name().empty()) {
            mode = Mode::Naming;
            typedName.clear();
            nameWanted = false;
            return Next::Stay;
        }
        return Next::Save;
    }
    chooseWall(command); // before painting: a wall chosen as the button goes down paints
    moveCursor(command);
    paintWithPointer(command);
    takeKeys(command);
    return Next::Stay;
}

Screen::Next EditorScreen::updateNaming(const MenuCommand& command) {
    if (command.back) {
        mode = Mode::Editing;
        return Next::Stay;
    }
    if (command.backspace && !typedName.empty()) {
        typedName.pop_back();
    }
    for (const char* c = command.typed; *c != '\0' && typedName.size() < TYPED_NAME_LIMIT; ++c) {
        if (*c != ' ' || !typedName.empty()) {
            typedName += *c;
        }
    }
    if (!typedName.empty()) {
        nameWanted = false;
    }
    if (command.choose && typedName.empty()) {
        nameWanted = true; // said on the prompt: Enter alone saves nothing
    } else if (command.choose) {
        mode = Mode::Editing;
        level.rename(typedName);
        return Next::Save;
    }
    return Next::Stay;
}

Screen::Next EditorScreen::updateAskingLeave(const MenuCommand& command) {
    if (command.letter == 'y') {
        return Next::Back;
    }
    if (command.letter == 'n' || command.back) {
        mode = Mode::Editing;
    }
    return Next::Stay;
}

// The arrows move the cursor a cell; the pointer puts it in the cell under it when it moves
// over the grid, so that a resting pointer does not take it back from the arrows.
void EditorScreen::moveCursor(const MenuCommand& command) {
    const int downBy = (command.down ? 1 : 0) - (command.up ? 1 : 0);
    const int rightBy = (command.right ? 1 : 0) - (command.left ? 1 : 0);
    cursor.x = std::clamp(cursor.x + downBy, 0, MAP_SIZE - 1);
    cursor.y = std::clamp(cursor.y + rightBy, 0, MAP_SIZE - 1);
    // The first reading is where the pointer rests, not a move.
    const bool pointerMoved =
        pointerRead && (command.pointerX != lastPointerX || command.pointerY != lastPointerY);
    pointerRead = true;
    lastPointerX = command.pointerX;
    lastPointerY = command.pointerY;
    LevelFile::UnitPlace under{};
    if ((pointerMoved || command.leftHeld || command.rightHeld) && pointerCell(command, under)) {
        cursor = under;
    }
}

// A button held over the grid paints, and a drag paints the line from the cell painted
// last, so that a quick pointer leaves no gaps; the whole stroke is one step to undo.
void EditorScreen::paintWithPointer(const MenuCommand& command) {
    const int value = command.leftHeld ? wall : command.rightHeld ? 0 : -1;
    LevelFile::UnitPlace under{};
    const bool overGrid = pointerCell(command, under);
    if (value < 0 || (strokeValue < 0 && !overGrid)) {
        if (strokeValue >= 0) {
            level.endStroke();
        }
        strokeValue = -1;
        return;
    }
    if (strokeValue != value) {
        level.endStroke();
        level.beginStroke();
        strokeValue = value;
        strokeCell = cursor;
    }
    if (!overGrid) {
        return; // dragged off the grid: the stroke waits for the pointer's return
    }
    level.paintLine(strokeCell.x, strokeCell.y, under.x, under.y, value);
    strokeCell = under;
}

void EditorScreen::chooseWall(const MenuCommand& command) {
    const int swatch = clickedSwatch(command);
    if (swatch >= 0) {
        wall = swatch;
    }
    if (command.digit >= 0 && !command.ctrl) {
        wall = command.digit;
    }
}

void EditorScreen::takeKeys(const MenuCommand& command) {
    if (command.space) {
        level.paint(cursor.x, cursor.y, wall);
    }
    if (command.backspace) {
        level.paint(cursor.x, cursor.y, 0);
    }
    if (command.ctrl) {
        if (command.letter == 'z') {
            level.undo();
        } else if (command.letter == 'y') {
            level.redo();
        }
    } else if (command.letter == 'k') {
        level.toggleSkull(cursor.x, cursor.y);
    } else if (command.letter == 'p') {
        level.placeStart(cursor.x, cursor.y);
    }
}

bool EditorScreen::pointerCell(const MenuCommand& command, LevelFile::UnitPlace& cell) const {
    const int32_t column = command.pointerX - GRID_LEFT;
    const int32_t row = command.pointerY - GRID_TOP;
    if (column < 0 || row < 0 || column >= GRID_SIZE || row >= GRID_SIZE) {
        return false;
    }
    // The grid is drawn with north up: rows are the level's lines, columns its characters.
    cell = {row / CELL, column / CELL};
    return true;
}

int EditorScreen::clickedSwatch(const MenuCommand& command) const {
    const int32_t column = command.clickX - GRID_LEFT;
    if (!command.click || column < 0 || command.clickY < PALETTE_TOP ||
        command.clickY >= PALETTE_TOP + SWATCH || column >= 10 * (SWATCH + 5)) {
        return -1;
    }
    return column % (SWATCH + 5) < SWATCH ? column / (SWATCH + 5) : -1;
}
