// The settings file: what is written reads back, every bad value keeps its default and
// is named once, and no file, however hostile, hangs or breaks the reading.
#include "io/SettingsFile.h"
#include "TestSupport.h"

#include <allegro5/keycodes.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override { startAllegroForTests(); }

    static void write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    ScratchFolder folder;
};

// Any value each setting of the table takes, and keys and pad buttons given at random.
Settings randomSettings(std::mt19937& random) {
    Settings settings;
    for (const Settings::Entry& entry : Settings::table()) {
        const int32_t choices = (entry.high - entry.low) / entry.step + 1;
        entry.set(settings, entry.low + entry.step * static_cast<int32_t>(random() % choices));
    }
    for (int i = 0; i < 8; ++i) {
        KeyBindings::Action swapped;
        const auto action = static_cast<KeyBindings::Action>(random() % KeyBindings::ACTION_COUNT);
        settings.keys.bind(action, 1 + static_cast<int>(random() % (ALLEGRO_KEY_MAX - 1)), swapped);
    }
    for (int i = 0; i < 6; ++i) {
        PadBindings::Action swapped;
        const auto action = static_cast<PadBindings::Action>(random() % PadBindings::ACTION_COUNT);
        settings.pad.buttons.bind(
            action, static_cast<PadBindings::Button>(random() % PadBindings::BUTTON_COUNT),
            swapped);
    }
    return settings;
}

TEST_F(SettingsFileTest, WhatIsWrittenReadsBackTheSame) {
    std::mt19937 random(21);
    Settings before;
    for (int round = 0; round < 300; ++round) {
        const Settings settings = randomSettings(random);
        std::string reason;
        ASSERT_TRUE(SettingsFile::save("folder/settings.ini", before, settings, reason)) << reason;
        const SettingsFile::Loaded loaded = SettingsFile::load("folder/settings.ini");
        ASSERT_TRUE(loaded.problems.empty()) << loaded.problems.front();
        ASSERT_EQ(loaded.settings, settings) << SettingsFile::compose(settings);
        before = settings;
    }
}

// Two copies of the game read the file at their start; each change is made on the file
// as it is now, so neither copy loses the other's.
TEST_F(SettingsFileTest, TwoCopiesOfTheGameKeepEachOthersChanges) {
    const Settings atStart;
    Settings first = atStart;
    first.effectsVolume = 40;
    Settings second = atStart;
    second.turning = Settings::Turning::Smooth;
    KeyBindings::Action swapped;
    second.keys.bind(KeyBindings::Action::Spawn, ALLEGRO_KEY_K, swapped);
    std::string reason;
    ASSERT_TRUE(SettingsFile::save("settings.ini", atStart, first, reason)) << reason;
    ASSERT_TRUE(SettingsFile::save("settings.ini", atStart, second, reason)) << reason;
    Settings both = second;
    both.effectsVolume = 40;
    EXPECT_EQ(SettingsFile::load("settings.ini").settings, both);
    // The first copy changes again: the second's turning and key stay.
    Settings again = first;
    again.captions = true;
    ASSERT_TRUE(SettingsFile::save("settings.ini", first, again, reason)) << reason;
    both.captions = true;
    EXPECT_EQ(SettingsFile::load("settings.ini").settings, both);
}

// Written beside and renamed into place: a link at the file's place is replaced, never
// written through, and what it pointed at stays as it was.
TEST_F(SettingsFileTest, ALinkAtTheFilesPlaceIsReplacedNotWrittenThrough) {
    write("elsewhere.txt", "someone else's file\n");
    fs::create_symlink("elsewhere.txt", "settings.ini");
    Settings changed;
    changed.showFps = true;
    std::string reason;
    ASSERT_TRUE(SettingsFile::save("settings.ini", Settings(), changed, reason)) << reason;
    EXPECT_FALSE(fs::is_symlink("settings.ini"));
    EXPECT_TRUE(SettingsFile::load("settings.ini").settings.showFps);
    std::string kept;
    std::getline(std::ifstream("elsewhere.txt"), kept);
    EXPECT_EQ(kept, "someone else's file");
}

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsWithoutAWord) {
    const SettingsFile::Loaded loaded = SettingsFile::load("nothing/settings.ini");
    EXPECT_EQ(loaded.settings, Settings());
    EXPECT_TRUE(loaded.problems.empty());
    EXPECT_EQ(SettingsFile::parse("[sound]\neffects = 40\n").settings.effectsVolume, 40);
}

// Each bad value keeps its default and is named in one line; the good ones around it
// still count.
TEST_F(SettingsFileTest, EveryBadValueKeepsItsDefaultAndIsNamed) {
    const std::pair<std::string, std::string> bad[] = {
        {"controls", "turning = fast"},
        {"controls", "sensitivity = 11"},
        {"controls", "sensitivity = 0"},
        {"controls", "sensitivity = 5x"},
        {"sound", "effects = 55"},
        {"sound", "effects = -10"},
        {"sound", "effects = 1000000000000"},
        {"sound", "captions = yes"},
        {"view", "damage_flash = half"},
        {"view", "fullscreen = 1"},
        {"view", "scaling = stretch"},
        {"view", "fps ="},
        {"keys", "forward = ESCAPE"},
        {"keys", "back = NOT_A_KEY"},
        {"keys", "run = UP"},
    };
    for (const auto& [section, line] : bad) {
        SCOPED_TRACE(line);
        const std::string text = "[" + section + "]\n" + line + "\n[sound]\nambience = 30\n";
        const SettingsFile::Loaded loaded = SettingsFile::parse(text);
        ASSERT_EQ(loaded.problems.size(), 1u);
        const std::string key = line.substr(0, line.find(' '));
        EXPECT_NE(loaded.problems[0].find("] " + key + " = \""), std::string::npos)
            << loaded.problems[0];
        Settings expected;
        expected.ambienceVolume = line.rfind("ambience", 0) == 0 ? 100 : 30;
        EXPECT_EQ(loaded.settings, expected);
    }
}

TEST_F(SettingsFileTest, HostileFilesGiveTheDefaultsAndSayWhy) {
    fs::create_directory("a-folder");
    ASSERT_EQ(mkfifo("a-fifo", 0644), 0); // opening it to read would wait for a writer
    write("huge", std::string(SettingsFile::SIZE_LIMIT + 1, 'x'));
    fs::create_symlink("a-fifo", "link-to-fifo");
    for (const char* path : {"a-folder", "a-fifo", "huge", "link-to-fifo"}) {
        SCOPED_TRACE(path);
        const SettingsFile::Loaded loaded = SettingsFile::load(path);
        EXPECT_EQ(loaded.settings, Settings());
        ASSERT_EQ(loaded.problems.size(), 1u);
        EXPECT_NE(loaded.problems[0].find("the defaults stay"), std::string::npos);
    }
    // Junk of every byte but NUL reads as whatever lines it happens to hold; with a NUL it
    // is no text at all. Either way nothing breaks.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string junk(random() % 3000, '\0');
        for (char& byte : junk) {
            byte = static_cast<char>(random() % 8 == 0 ? '\n' : 1 + random() % 255);
        }
        junk += "\n[view]\nfps=on\n";
        EXPECT_TRUE(SettingsFile::parse(junk).settings.showFps);
        junk[random() % junk.size()] = '\0';
        const SettingsFile::Loaded binary = SettingsFile::parse(junk);
        EXPECT_EQ(binary.settings, Settings());
        EXPECT_EQ(binary.problems.size(), 1u);
    }
}

TEST_F(SettingsFileTest, AFolderThatCannotBeMadeIsSaidAndNothingIsWritten) {
    write("a-file", "not a folder");
    std::string reason;
    Settings changed;
    changed.captions = true;
    EXPECT_FALSE(SettingsFile::save("a-file/duskmarch/settings.ini", Settings(), changed, reason));
    EXPECT_NE(reason.find("a-file"), std::string::npos) << reason;
    EXPECT_FALSE(SettingsFile::save("", Settings(), changed, reason));
    EXPECT_NE(reason.find("HOME"), std::string::npos) << reason;
    std::string kept;
    std::getline(std::ifstream("a-file"), kept);
    EXPECT_EQ(kept, "not a folder");
}

TEST_F(SettingsFileTest, TheFileLivesInTheConfigFolderOfTheBaseDirectories) {
    const char* keptHome = std::getenv("HOME");
    const std::string home = keptHome != nullptr ? keptHome : "";
    setenv("HOME", "/home/player", 1);
    setenv("XDG_CONFIG_HOME", "/elsewhere", 1);
    EXPECT_EQ(SettingsFile::defaultPath(), "/elsewhere/duskmarch/settings.ini");
    setenv("XDG_CONFIG_HOME", "relative/config", 1); // not absolute: ignored
    EXPECT_EQ(SettingsFile::defaultPath(), "/home/player/.config/duskmarch/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFile::defaultPath(), "/home/player/.config/duskmarch/settings.ini");
    unsetenv("HOME");
    EXPECT_EQ(SettingsFile::defaultPath(), "");
    setenv("HOME", home.c_str(), 1);
}

} // namespace
