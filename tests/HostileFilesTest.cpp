// Files that are not what the game expects: whatever stands at a path it reads, and
// text that never ends. None may hang the game, swamp its memory or be written through.
#include "TestSupport.h"
#include "core/RegularFile.h"
#include "game/CommandLine.h"
#include "world/LevelFile.h"
#include "world/LineReader.h"
#include "world/MapGrid.h"
#include "world/SaveReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Outcome = RegularFile::Outcome;

TEST(RegularFileTest, ReadsOnlyRegularFilesAndNeverWaits) {
    ScratchFolder folder;
    std::ofstream("level.lev") << "0123";
    std::filesystem::create_directory("a directory");
    ASSERT_EQ(mkfifo("a fifo", 0644), 0); // opened to read with no writer, it would block
    std::filesystem::create_symlink("/dev/zero", "endless");

    const RegularFile::Contents file = RegularFile::read("level.lev", 100);
    EXPECT_EQ(file.outcome, Outcome::Read);
    EXPECT_EQ(file.text, "0123");
    EXPECT_EQ(RegularFile::read("nothing here", 100).outcome, Outcome::Missing);
    const RegularFile::Contents directory = RegularFile::read("a directory", 100);
    EXPECT_EQ(directory.outcome, Outcome::Refused);
    EXPECT_EQ(directory.problem, "it is a directory, not a regular file");
    EXPECT_EQ(RegularFile::read("a fifo", 100).problem, "it is a FIFO, not a regular file");
    EXPECT_EQ(RegularFile::read("endless", 100).problem, "it is a device, not a regular file");
}

TEST(RegularFileTest, ReadsNoMoreThanItIsAllowed) {
    ScratchFolder folder;
    std::ofstream("big") << std::string(1000, 'x');
    const RegularFile::Contents file = RegularFile::read("big", 999);
    EXPECT_EQ(file.text.size(), 999u);
    EXPECT_TRUE(file.cutShort);
    EXPECT_FALSE(RegularFile::read("big", 1000).cutShort);
}

TEST(RegularFileTest, WritesOnlyAFileOfItsOwn) {
    ScratchFolder folder;
    std::string reason;
    ASSERT_TRUE(RegularFile::writeFresh("fresh", "text", reason));
    EXPECT_FALSE(RegularFile::writeFresh("fresh", "again", reason)); // it exists
    EXPECT_EQ(reason, "File exists");
    std::ofstream("target") << "untouched";
    std::filesystem::create_symlink("target", "link");
    EXPECT_FALSE(RegularFile::writeFresh("link", "through the link", reason));
    std::ifstream target("target");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(target), {}), "untouched");
}

// /dev/zero is a line without end: the readers stop and say so once.
TEST(EndlessTextTest, TheReadersStopOnAnEndlessLine) {
    std::ifstream zeros("/dev/zero");
    ASSERT_TRUE(zeros);
    int** grid = MapGrid::allocate();
    const LevelFile level = LevelFile::read(zeros, grid);
    EXPECT_TRUE(level.units.empty());
    EXPECT_EQ(grid[0][0], 0);
    ASSERT_EQ(level.problems.size(), 3u);
    EXPECT_EQ(level.problems[0].rfind("the grid has only 1 of 30 lines", 0), 0u);
    EXPECT_EQ(level.problems[1], "line 1 runs on past 256 characters; the rest of it, and of "
                                 "any such line, is skipped");
    EXPECT_EQ(level.problems[2], "the file runs on past 1048576 bytes; the rest of it is not read");
    MapGrid::release(grid);

    std::ifstream moreZeros("/dev/zero");
    const SaveReader save = SaveReader::read(moreZeros);
    EXPECT_FALSE(save.x.has_value());
    EXPECT_EQ(save.problems.size(), 2u);
}

TEST(EndlessTextTest, ALongLineIsCutButTheLinesAfterItAreRead) {
    std::istringstream text(std::string(5000, '1') + "\n" + std::string(30, '2') + "\nlast");
    LineReader lines(text, 30, 1 << 20);
    std::string line;
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, std::string(30, '1'));
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, std::string(30, '2'));
    ASSERT_TRUE(lines.next(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(lines.next(line));
    EXPECT_EQ(lines.firstCutLine(), 1);
    EXPECT_FALSE(lines.stoppedEarly());
}

// The command line read as main hands it on.
CommandLine parse(std::vector<std::string> words) {
    words.insert(words.begin(), "duskmarch");
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return CommandLine::parse(static_cast<int>(words.size()), argv.data());
}

// --edit names a level to open, new or not, and is refused at once, before any window,
// where no file could ever be saved.
TEST(CommandLineTest, EditRefusesAtOnceWhereNoLevelCouldBeSaved) {
    ScratchFolder folder;
    std::filesystem::create_directory("levels");
    const CommandLine fresh = parse({"--edit", "new.lev"});
    EXPECT_EQ(fresh.outcome, CommandLine::Outcome::Play) << fresh.said;
    EXPECT_EQ(fresh.editPath, "new.lev");
    EXPECT_EQ(parse({"--edit", "levels/new.lev"}).outcome, CommandLine::Outcome::Play);
    const CommandLine nowhere = parse({"--edit", "/nonexistent/dir/x.lev"});
    EXPECT_EQ(nowhere.outcome, CommandLine::Outcome::Refused);
    EXPECT_EQ(nowhere.said, "duskmarch: cannot write \"/nonexistent/dir/x.lev\": there is no "
                            "folder \"/nonexistent/dir\"; see duskmarch --help\n");
    std::ofstream("a-file") << "x";
    EXPECT_EQ(parse({"--edit", "a-file/x.lev"}).outcome, CommandLine::Outcome::Refused);
    EXPECT_EQ(parse({"--edit", "levels"}).outcome, CommandLine::Outcome::Refused) << "a folder";
}

} // namespace
