// The level editor's rules as plain data: the draft's steps and their undoing, the screen's
// keys and drags, and the checks held against a plain flood of the open cells.
#include "reference/PlainLevelCheck.h"
#include "screens/EditorScreen.h"
#include "units/LevelCheck.h"
#include "world/LevelDraft.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

// One random change of the kinds the editor makes; a stroke paints a few lines at once.
void randomEdit(LevelDraft& draft, std::mt19937& random) {
    std::uniform_int_distribution<int> cell(-2, MAP_SIZE + 1); // a few outside the grid
    std::uniform_int_distribution<int> value(0, 9);
    switch (random() % 5) {
    case 0:
        draft.paint(cell(random), cell(random), value(random));
        break;
    case 1: {
        draft.beginStroke();
        const int wall = value(random);
        int x = cell(random), y = cell(random);
        for (int i = 0; i < 3; ++i) {
            const int toX = cell(random), toY = cell(random);
            draft.paintLine(x, y, toX, toY, wall);
            x = toX;
            y = toY;
        }
        draft.endStroke();
        break;
    }
    case 2:
        draft.toggleSkull(cell(random), cell(random));
        break;
    case 3:
        draft.placeStart(cell(random), cell(random));
        break;
    default:
        draft.rename("level " + std::to_string(random() % 4));
        break;
    }
}

TEST(LevelEditorTest, EveryStepUndoneGivesBackTheLevelBeforeItByteForByteAndRedoGivesItBack) {
    std::mt19937 random(20261210);
    LevelDraft draft;
    std::vector<std::string> texts = {draft.text()};
    for (int i = 0; i < 150; ++i) {
        randomEdit(draft, random);
        if (draft.text() != texts.back()) {
            texts.push_back(draft.text());
        }
        EXPECT_EQ(draft.undoSteps(), texts.size() - 1) << "a change that is no step, or a step "
                                                          "that changes nothing, at edit "
                                                       << i;
    }
    ASSERT_GT(texts.size(), 100u);
    for (std::size_t i = texts.size() - 1; i > 0; --i) {
        ASSERT_TRUE(draft.undo());
        ASSERT_EQ(draft.text(), texts[i - 1]) << "undoing step " << i;
    }
    EXPECT_FALSE(draft.undo());
    EXPECT_FALSE(draft.changed()) << "all undone, the level is as it was made";
    for (std::size_t i = 1; i < texts.size(); ++i) {
        ASSERT_TRUE(draft.redo());
        ASSERT_EQ(draft.text(), texts[i]) << "redoing step " << i;
    }
    EXPECT_FALSE(draft.redo());
}

TEST(LevelEditorTest, TheOldestStepsGoPastTheLimitAndANewChangeEndsTheRedo) {
    LevelDraft draft;
    std::vector<std::string> texts = {draft.text()};
    for (int i = 0; i < 250; ++i) {
        draft.paint(1 + i % 28, 1 + (i / 28) % 28, 1 + i % 9);
        texts.push_back(draft.text());
    }
    int undone = 0;
    while (draft.undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(LevelDraft::UNDO_LIMIT));
    EXPECT_EQ(draft.text(), texts[texts.size() - 1 - LevelDraft::UNDO_LIMIT]);
    draft.redo();
    draft.toggleSkull(5, 5);
    EXPECT_FALSE(draft.redo()) << "a change after undoing starts a new way";
}

TEST(LevelEditorTest, ALevelWrittenByTheEditorReadsBackAsTheSameLevel) {
    std::mt19937 random(7);
    LevelDraft draft;
    for (int i = 0; i < 60; ++i) {
        randomEdit(draft, random);
    }
    const std::string text = draft.text();
    const LevelDraft read = LevelDraft::fromText(text);
    EXPECT_EQ(read.text(), text);
    EXPECT_EQ(read.name(), draft.name());
    EXPECT_EQ(read.skulls().size(), draft.skulls().size());
    EXPECT_FALSE(read.changed());
    // A file that tells no name is called by the list's name, with nothing to undo.
    const LevelDraft untold = LevelDraft::fromText(LevelDraft().text(), "The Crypt");
    EXPECT_EQ(untold.name(), "The Crypt");
    EXPECT_EQ(untold.undoSteps(), 0u);
    EXPECT_FALSE(untold.changed());
}

// A screen's command with the pointer at a cell of the grid (row x, column y).
MenuCommand pointerAt(int x, int y) {
    MenuCommand command;
    command.pointerX = EditorScreen::GRID_LEFT + y * EditorScreen::CELL + 3;
    command.pointerY = EditorScreen::GRID_TOP + x * EditorScreen::CELL + 3;
    return command;
}

EditorScreen editorOn(const LevelDraft& draft) {
    return EditorScreen(Screen::Fonts(), EditorScreen::Look(), draft, 15, 15);
}

TEST(LevelEditorTest, AQuickDragPaintsEveryCellOfItsLineAsOneStep) {
    EditorScreen editor = editorOn(LevelDraft());
    editor.update(MenuCommand()); // where the pointer rests first is no move
    MenuCommand press = pointerAt(3, 2);
    press.leftHeld = true;
    press.digit = 4;
    editor.update(press);
    MenuCommand far = pointerAt(20, 26); // one frame later, far along
    far.leftHeld = true;
    editor.update(far);
    editor.update(pointerAt(20, 26)); // released
    const LevelDraft& level = editor.draft();
    EXPECT_EQ(level.cell(3, 2), 4);
    EXPECT_EQ(level.cell(20, 26), 4);
    // Each cell of the line touches the next one, sides or corners.
    int painted = 0;
    for (int x = 3; x <= 20; ++x) {
        int inRow = 0;
        for (int y = 0; y < MAP_SIZE; ++y) {
            inRow += level.cell(x, y) == 4 ? 1 : 0;
        }
        EXPECT_GE(inRow, 1) << "a gap in row " << x;
        painted += inRow;
    }
    EXPECT_EQ(painted, 25) << "a cell for each step along the longer way, and the first";
    EXPECT_EQ(level.undoSteps(), 1u);
    MenuCommand undo;
    undo.ctrl = true;
    undo.letter = 'z';
    editor.update(undo);
    EXPECT_EQ(editor.draft().text(), LevelDraft().text());
    // Straight along a line of the level, with the right button: floor from end to end.
    MenuCommand wall;
    wall.digit = 2;
    editor.update(wall);
    for (int y = 1; y < MAP_SIZE - 1; ++y) {
        editor.draft().paint(5, y, 2);
    }
    MenuCommand from = pointerAt(5, 5);
    from.rightHeld = true;
    editor.update(from);
    MenuCommand to = pointerAt(5, 9);
    to.rightHeld = true;
    editor.update(to);
    for (int y = 1; y < MAP_SIZE - 1; ++y) {
        EXPECT_EQ(editor.draft().cell(5, y), y >= 5 && y <= 9 ? 0 : 2) << "cell 5 " << y;
    }
}

TEST(LevelEditorTest, KeysPutWallsSkullsAndTheStartWhereTheArrowsMoveTheCursor) {
    EditorScreen editor = editorOn(LevelDraft());
    MenuCommand down;
    down.down = true;
    editor.update(down); // to 16 15
    MenuCommand wall;
    wall.digit = 7;
    wall.space = true;
    editor.update(wall);
    EXPECT_EQ(editor.draft().cell(16, 15), 7);
    MenuCommand right;
    right.right = true;
    editor.update(right); // to 16 16
    MenuCommand skull;
    skull.letter = 'k';
    editor.update(skull);
    EXPECT_TRUE(editor.draft().hasSkull(16, 16));
    MenuCommand start;
    start.letter = 'p';
    editor.update(start);
    EXPECT_EQ(editor.draft().start().x, 16);
    EXPECT_EQ(editor.draft().start().y, 16);
    editor.update(skull);
    EXPECT_FALSE(editor.draft().hasSkull(16, 16)) << "K again takes it away";
    MenuCommand floor;
    floor.left = true;
    floor.backspace = true;
    editor.update(floor); // back to 16 15, and floor there
    EXPECT_EQ(editor.draft().cell(16, 15), 0);
}

TEST(LevelEditorTest, EscapeAsksFirstOnlyWhenThereAreUnsavedChanges) {
    EditorScreen editor = editorOn(LevelDraft());
    MenuCommand escape;
    escape.back = true;
    MenuCommand skull;
    skull.letter = 'k';
    editor.update(skull);
    EXPECT_EQ(editor.update(escape), Screen::Next::Stay) << "it asks";
    MenuCommand no;
    no.letter = 'n';
    EXPECT_EQ(editor.update(no), Screen::Next::Stay);
    EXPECT_EQ(editor.update(escape), Screen::Next::Stay);
    MenuCommand yes;
    yes.letter = 'y';
    EXPECT_EQ(editor.update(yes), Screen::Next::Back);

    EditorScreen saved = editorOn(LevelDraft());
    saved.update(skull);
    saved.draft().markSaved();
    EXPECT_EQ(saved.update(escape), Screen::Next::Back) << "nothing unsaved: it leaves at once";
    saved.update(skull);
    MenuCommand undo;
    undo.ctrl = true;
    undo.letter = 'z';
    saved.update(undo);
    EXPECT_EQ(saved.update(escape), Screen::Next::Back) << "undone back to the saved level";
}

TEST(LevelEditorTest, SavingALevelWithoutANameAsksForOneTypedOnScreen) {
    EditorScreen editor = editorOn(LevelDraft());
    editor.savesTo("among yours", true);
    MenuCommand save;
    save.ctrl = true;
    save.letter = 's';
    EXPECT_EQ(editor.update(save), Screen::Next::Stay) << "it asks for the name first";
    EXPECT_NE(editor.footLine().find("(Enter saves"), std::string::npos) << editor.footLine();
    MenuCommand enter;
    enter.choose = true;
    EXPECT_EQ(editor.update(enter), Screen::Next::Stay) << "no name typed: nothing saved";
    EXPECT_NE(editor.footLine().find("type a name first"), std::string::npos)
        << "and it says why: " << editor.footLine();
    MenuCommand typing;
    std::snprintf(typing.typed, sizeof typing.typed, "%s", " Bone");
    typing.letter = 'k'; // typed, not a skull
    editor.update(typing);
    MenuCommand more;
    std::snprintf(more.typed, sizeof more.typed, "%s", " Yardx");
    editor.update(more);
    MenuCommand rubOut;
    rubOut.backspace = true;
    editor.update(rubOut);
    EXPECT_EQ(editor.update(enter), Screen::Next::Save);
    EXPECT_EQ(editor.draft().name(), "Bone Yard");
    EXPECT_TRUE(editor.draft().skulls().empty());
    EXPECT_EQ(editor.update(save), Screen::Next::Save) << "named now: it saves at once";
    editor.draft().markSaved();
    editor.savedTo("Bone-Yard.lev");
    EXPECT_EQ(editor.whereLine(), "Saved to Bone-Yard.lev");
    MenuCommand skull;
    skull.letter = 'k';
    editor.update(skull);
    EXPECT_EQ(editor.whereLine(), "Unsaved; saves to Bone-Yard.lev") << "a change after saving";
}

// Random levels: walls of every density, holes in the border, skulls anywhere, the start
// anywhere; the game's checks find exactly what the plain flood finds.
TEST(LevelEditorTest, TheChecksAreThePlainFloodsOnRandomLevels) {
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round) {
        LevelDraft draft;
        PlainLevelCheck::Level plain;
        const int density = static_cast<int>(random() % 70);
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                draft.paint(x, y,
                            static_cast<int>(random() % 100) < density ? 1 + random() % 9 : 0);
            }
        }
        for (int i = static_cast<int>(random() % 9); i > 0; --i) {
            draft.toggleSkull(static_cast<int>(random() % MAP_SIZE),
                              static_cast<int>(random() % MAP_SIZE));
        }
        draft.placeStart(static_cast<int>(random() % MAP_SIZE),
                         static_cast<int>(random() % MAP_SIZE));
        plain.cells.assign(MAP_SIZE, std::vector<int>(MAP_SIZE, 0));
        for (int x = 0; x < MAP_SIZE; ++x) {
            for (int y = 0; y < MAP_SIZE; ++y) {
                plain.cells[x][y] = draft.cell(x, y);
            }
        }
        for (const LevelFile::UnitPlace& skull : draft.skulls()) {
            plain.skulls.push_back({skull.x, skull.y});
        }
        plain.start = {draft.start().x, draft.start().y};
        std::set<std::tuple<int, int, std::string>> found;
        for (const LevelCheck::Problem& problem : LevelCheck::check(draft)) {
            found.insert({problem.x, problem.y, problem.what});
        }
        ASSERT_EQ(found, PlainLevelCheck::problems(plain)) << "round " << round;
    }
}

} // namespace
