// The level editor's loop: a level opened from the list, the command line or play, played
// at once and back, and saved beside and renamed into place.
#include "game/Game.h"

#include "core/AssetIds.h"
#include "core/RegularFile.h"
#include "io/CryptFile.h"
#include "screens/EditorScreen.h"
#include "units/LevelCheck.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace {

const std::size_t FILE_NAME_LIMIT = 40;

// A file name made of a level's name: letters and digits kept, the rest a dash.
std::string fileNameFor(const std::string& levelName) {
    std::string name;
    for (const char c : levelName) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (plain || (!name.empty() && name.back() != '-')) {
            name += plain ? c : '-';
        }
    }
    while (!name.empty() && name.back() == '-') {
        name.pop_back();
    }
    name = name.substr(0, FILE_NAME_LIMIT);
    return name.empty() ? "level" : name;
}

// True when the file name is the level's name with its blanks made dashes: nothing of the
// name was left out.
bool onlyBlanksChanged(const std::string& levelName, const std::string& made) {
    std::string dashed = levelName;
    std::replace(dashed.begin(), dashed.end(), ' ', '-');
    return dashed == made;
}

std::string fileName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// The level's text as the file holds it; a level that does not exist yet is a new one. A
// level whose file tells no name takes the one it is listed by.
LevelDraft draftOf(const std::string& path, const std::string& listedName = "") {
    const RegularFile::Contents file = RegularFile::read(path, LevelFile::FILE_LIMIT);
    return file.outcome == RegularFile::Outcome::Read ? LevelDraft::fromText(file.text, listedName)
                                                      : LevelDraft();
}

} // namespace

// From the list: a level of the crypt is saved as a copy among the player's own, one of
// the player's in place, and a new one (level null) once it is named.
void Game::editLevel(const LevelInfo* level, int cursorX, int cursorY) {
    EditedLevel edited;
    if (level != nullptr && level->own) {
        edited.path = level->path;
    }
    runEditor(level != nullptr ? draftOf(level->path, level->name) : LevelDraft(), edited, cursorX,
              cursorY);
}

// --edit FILE: saved to FILE, and leaving the editor ends the game.
void Game::editFile(const std::string& path) {
    EditedLevel edited;
    edited.path = path;
    runEditor(draftOf(path), edited, MAP_SIZE / 2, MAP_SIZE / 2);
    quit = true;
}

// F4 in play: the level played, the cursor where the player stands. Leaving the editor goes
// back to play as it was, unless the editor played a level meanwhile.
void Game::editFromPlay() {
    const bool own = files.levelKey.rfind(LevelInfo::OWN_PREFIX, 0) == 0;
    EditedLevel edited;
    if (own) {
        edited.path = files.levelPath;
    }
    const std::string listedName =
        files.cryptIndex >= 0 ? files.crypt[static_cast<std::size_t>(files.cryptIndex)].name : "";
    const bool playedMeanwhile =
        runEditor(draftOf(files.levelPath, listedName), edited, static_cast<int>(camera->posX),
                  static_cast<int>(camera->posY));
    if (quit) {
        return;
    }
    if (playedMeanwhile) {
        playing = false; // the world is the editor's level now: back to the menu
        inMenu = true;
        return;
    }
    playing = true;
    inMenu = false;
    resumePlay();
}

// The editor until the player leaves it; true when it played its level meanwhile.
bool Game::runEditor(const LevelDraft& draft, EditedLevel& edited, int cursorX, int cursorY) {
    EditorScreen::Look look;
    ImageBuffer* textures = bufferManager->getBuffer(BufferId::TEXTURES);
    look.palette = MapView::paletteOf(textures);
    look.textures = textures != nullptr ? textures->bitmap : nullptr;
    EditorScreen editor(screenFonts(), look, draft, cursorX, cursorY);
    editor.savesTo(edited.path.empty() ? "" : fileName(edited.path), edited.path.empty());
    long checked = editor.version() - 1;
    bool played = false;
    while (!quit) {
        const Screen::Next next = runScreen(editor, [&]() {
            if (editor.version() != checked) {
                checked = editor.version();
                sayProblems(editor);
            }
        });
        if (next == Screen::Next::Quit) {
            quit = true;
        } else if (next == Screen::Next::Back) {
            break;
        } else if (next == Screen::Next::Fullscreen) {
            switchFullscreen();
        } else if (next == Screen::Next::Save) {
            saveFromEditor(editor, edited);
        } else if (next == Screen::Next::Play) {
            playFromEditor(editor);
            played = true;
        }
    }
    return played;
}

void Game::sayProblems(EditorScreen& editor) {
    const std::vector<LevelCheck::Problem> problems = LevelCheck::check(editor.draft());
    std::vector<LevelFile::UnitPlace> cells;
    for (const LevelCheck::Problem& problem : problems) {
        cells.push_back({problem.x, problem.y});
    }
    editor.problemsAre(LevelCheck::summary(problems), cells);
}

// Written beside and renamed into place; a level without a place of its own goes among the
// player's levels, under a file name made of its name that no other level there has.
void Game::saveFromEditor(EditorScreen& editor, EditedLevel& edited) {
    std::string reason;
    std::string madeName; // what a file name made of the level's name came out as
    if (edited.path.empty()) {
        const std::string folder = ownLevelFolder();
        if (folder.empty() || !RegularFile::makeFolders(folder, reason)) {
            editor.say("Not saved: " +
                       (folder.empty() ? "there is no folder for your levels" : reason));
            return;
        }
        const std::string made = fileNameFor(editor.draft().name());
        const std::string base = folder + "/" + made;
        edited.path = base + ".lev";
        for (int n = 2; RegularFile::read(edited.path, 1).outcome != RegularFile::Outcome::Missing;
             ++n) {
            edited.path = base + "-" + std::to_string(n) + ".lev";
        }
        madeName = "Saved as " + fileName(edited.path);
        if (!onlyBlanksChanged(editor.draft().name(), made)) {
            madeName += " (a file name keeps letters, digits and dashes)";
        }
    }
    if (!RegularFile::replace(edited.path, editor.draft().text(), reason)) {
        editor.say("Not saved: " + reason);
        return;
    }
    editor.draft().markSaved();
    editor.savedTo(fileName(edited.path));
    // The foot line's problems are the level's as it stands: checked after every change.
    editor.say((madeName.empty() ? std::string("Saved") : madeName) +
               (editor.problems().empty() ? "" : ", but: " + editor.problems()));
    std::cout << "Level saved to \"" << edited.path << "\"" << std::endl;
}

// F5: the level as it stands, from its start, at the skill last chosen; no save is written
// and no time kept, and Escape or F5 comes back.
void Game::playFromEditor(EditorScreen& editor) {
    const GameFiles before = files;
    // Back where the editor was opened: the list's menu, or the game F4 left.
    const bool wasInMenu = inMenu;
    const bool wasPlaying = playing;
    files.fromEditor = true;
    files.editorText = editor.draft().text();
    files.cryptIndex = -1;
    files.levelKey.clear();
    recordedGame->stopRecording();
    recordedGame->playAt(playerSettings->settings.skill);
    beginPlay();
    runPlay(); // until Escape or F5 (or the fall's Menu) ends it, or the game ends
    files = before;
    inMenu = wasInMenu;
    playing = wasPlaying;
}
