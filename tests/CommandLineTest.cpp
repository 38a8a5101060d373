// The command line read as the game reads it, before any window: --edit names a level to
// open, new or not, and is refused at once where no file could ever be saved.
#include "game/CommandLine.h"
#include "TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

CommandLine parse(std::vector<std::string> words) {
    words.insert(words.begin(), "duskmarch");
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return CommandLine::parse(static_cast<int>(words.size()), argv.data());
}

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
