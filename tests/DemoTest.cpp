// The demo format: what is written reads back, and what this game cannot play says why.
#include "world/Demo.h"
#include "TestSupport.h"
#include "world/DemoRecorder.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <random>

namespace {

Demo sample(std::mt19937& random, int frames) {
    Demo demo;
    demo.gameVersion = "0.1.0";
    demo.levelName = "RirUdodu.lev";
    demo.levelHash = (uint64_t{random()} << 32) | random();
    demo.steering.turning = static_cast<Settings::Turning>(random() % 2);
    demo.steering.sensitivity = 1 + static_cast<int32_t>(random() % 10);
    const int skill = static_cast<int>(random() % Skill::table().size());
    demo.skillWord = Skill::at(skill).word;
    demo.knobs = Skill::at(skill).knobs;
    demo.knobs.blowDamage = static_cast<int32_t>(random() % 101);
    demo.startsWithLoad = random() % 2;
    demo.save = demo.startsWithLoad ? "x:3\ny:4\nunit:5 6\n" : "";
    for (int i = 0; i < frames; ++i) {
        Demo::Frame frame;
        frame.stepNs = random() % 40000000;
        frame.command.forward = static_cast<int8_t>(random() % 3) - 1;
        frame.command.strafe = static_cast<int8_t>(random() % 3) - 1;
        frame.command.keyTurn = static_cast<int8_t>(random() % 3) - 1;
        frame.command.pointerTravel = static_cast<int32_t>(random() % 2001) - 1000;
        frame.command.stickTurn =
            static_cast<int16_t>(static_cast<int32_t>(random() % 4001) - 2000);
        frame.command.run = random() % 2;
        frame.command.sword = random() % 5 == 0;
        frame.command.quit = i == frames - 1;
        frame.checksum = (uint64_t{random()} << 32) | random();
        demo.frames.push_back(frame);
    }
    return demo;
}

std::string written(const Demo& demo, bool withEnd = true) {
    std::string text = demo.header();
    for (const Demo::Frame& frame : demo.frames) {
        text += Demo::frameLine(frame);
    }
    return withEnd ? text + Demo::endLine(demo.frames.size()) : text;
}

TEST(DemoTest, WhatIsWrittenReadsBackFrameForFrame) {
    std::mt19937 random(22);
    for (int round = 0; round < 50; ++round) {
        const Demo demo = sample(random, static_cast<int>(random() % 300));
        Demo read;
        std::string reason;
        ASSERT_TRUE(Demo::read(written(demo), read, reason)) << reason;
        EXPECT_TRUE(read.complete);
        EXPECT_EQ(read.header(), demo.header());
        ASSERT_EQ(read.frames.size(), demo.frames.size());
        for (std::size_t i = 0; i < demo.frames.size(); ++i) {
            ASSERT_EQ(read.frames[i].command, demo.frames[i].command) << "frame " << i;
            ASSERT_EQ(read.frames[i].stepNs, demo.frames[i].stepNs);
            ASSERT_EQ(read.frames[i].checksum, demo.frames[i].checksum);
        }
    }
}

TEST(DemoTest, ADemoCutShortKeepsItsWholeFramesAndSaysSo) {
    std::mt19937 random(5);
    const Demo demo = sample(random, 100);
    const std::string text = written(demo, false);
    Demo read;
    std::string reason;
    ASSERT_TRUE(Demo::read(text.substr(0, text.size() - 10), read, reason));
    EXPECT_FALSE(read.complete);
    EXPECT_EQ(read.frames.size(), 99u);
    EXPECT_EQ(read.cut, "frame 100 is cut short");
    ASSERT_TRUE(Demo::read(text, read, reason));
    EXPECT_EQ(read.frames.size(), 100u);
    EXPECT_EQ(read.cut, "it ends without its end line");
}

TEST(DemoTest, WhatThisGameCannotPlayIsRefusedWithItsReason) {
    std::mt19937 random(9);
    const std::string good = written(sample(random, 3));
    const std::pair<std::string, std::string> bad[] = {
        {"", "it is not a demo"},
        {"duskmarch-demo " + std::to_string(Demo::FORMAT_VERSION + 1) + "\n" +
             good.substr(good.find('\n') + 1),
         "it is of format version " + std::to_string(Demo::FORMAT_VERSION + 1) +
             ", and this game plays 1 to " + std::to_string(Demo::FORMAT_VERSION)},
        {good.substr(0, good.find("level")) + "level x\n", "its header is damaged (level)"},
        {std::string(Demo::SIZE_LIMIT + 1, 'x'), "it is larger than 64 MB"},
    };
    for (const auto& [text, why] : bad) {
        Demo demo;
        std::string reason;
        EXPECT_FALSE(Demo::read(text, demo, reason));
        EXPECT_EQ(reason, why);
    }
    Demo demo;
    std::string reason;
    std::string damaged = good;
    damaged.replace(damaged.find("frame ") + 6, 1, "x");
    ASSERT_TRUE(Demo::read(damaged, demo, reason));
    EXPECT_TRUE(demo.frames.empty());
    EXPECT_EQ(demo.cut, "frame 1 is damaged");
}

// Each frame is on the disk as soon as it is played: a game that dies before its end line
// leaves a demo that plays up to its last frame.
TEST(DemoTest, ARecordingIsOnTheDiskFrameByFrame) {
    ScratchFolder folder;
    std::mt19937 random(7);
    const Demo demo = sample(random, 5);
    DemoRecorder recorder;
    std::string reason;
    ASSERT_TRUE(recorder.start("game.demo", demo, reason)) << reason;
    for (int i = 0; i < 3; ++i) {
        recorder.frame(demo.frames[static_cast<std::size_t>(i)]);
    }
    std::stringstream text;
    text << std::ifstream("game.demo").rdbuf(); // the recorder is still open
    Demo read;
    ASSERT_TRUE(Demo::read(text.str(), read, reason)) << reason;
    EXPECT_FALSE(read.complete);
    ASSERT_EQ(read.frames.size(), 3u);
    EXPECT_EQ(read.frames[2].checksum, demo.frames[2].checksum);
}

} // namespace
