// What the README and the manual page say of the settings and the options is what the
// game's tables declare: each is spelled once in the code, and the documents are checked
// against it here, word for word.
#include "TestSupport.h"
#include "game/CommandLine.h"
#include "io/SettingsFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string sourceFile(const std::string& name) {
    std::ifstream file(std::string(DUSKMARCH_SOURCE_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text between the line opening with first and the next line opening with last.
std::string between(const std::string& text, const std::string& first, const std::string& last) {
    const std::size_t start = text.find(first);
    if (start == std::string::npos) {
        return "";
    }
    const std::size_t from = text.find('\n', start) + 1;
    return text.substr(from, text.find(last, from) - from);
}

TEST(DocumentationTest, TheReadmesSettingsFileIsTheOneTheGameWritesByDefault) {
    startAllegroForTests();
    const std::string example = between(sourceFile("README.md"), "```ini", "```");
    ASSERT_FALSE(example.empty());
    std::string written = SettingsFile::compose(Settings());
    // The README's example leaves out the file's first line, which says whose it is.
    written = written.substr(written.find('\n') + 1);
    EXPECT_EQ(example, written);
}

TEST(DocumentationTest, TheManualPagesOptionsAreTheCommandLinesTable) {
    const std::string manual = sourceFile("packaging/duskmarch.6");
    const std::string options = CommandLine::manualOptions();
    const std::size_t at = manual.find(options);
    EXPECT_NE(at, std::string::npos) << "the manual page's OPTIONS should read:\n" << options;
    EXPECT_EQ(manual.compare(at + options.size(), 4, ".PP\n"), 0)
        << "and no option after the table's";
}

TEST(DocumentationTest, HelpNamesEveryOptionOfTheTableOnceAndInItsOrder) {
    const std::string help = CommandLine::help();
    std::size_t last = 0;
    for (const CommandLine::Option& option : CommandLine::options()) {
        const std::string name = std::string("--") + option.name;
        const std::size_t at = help.find(name + (option.argument != nullptr ? " " : ""));
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_GT(at, last) << name;
        last = at;
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
}

} // namespace
