// The command line's options as the player reads them: --help, and the manual page's
// OPTIONS section, both made from the one table of options.
#include "game/CommandLine.h"

#include "core/Skill.h"

namespace {

using Asks = CommandLine::Asks;

// Where --help's descriptions begin.
const std::size_t HELP_COLUMN = 22;

} // namespace

namespace {

// Words into lines of at most width characters, each after indent spaces but the first.
std::string wrapped(const std::string& text, std::size_t indent, std::size_t width) {
    std::string out;
    std::size_t lineLength = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(start, end - start);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += "\n" + std::string(indent, ' ');
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
        start = end + 1;
    }
    return out;
}

} // namespace

std::string CommandLine::help() {
    const std::size_t width = 80 - HELP_COLUMN;
    std::string text = "Usage: duskmarch [OPTION]...\n"
                       "A first-person dungeon game drawn by ray casting.\n\n";
    for (const Option& option : options()) {
        std::string names = option.shortName != 0
                                ? std::string("  -") + option.shortName + ", --" + option.name
                                : std::string("      --") + option.name;
        if (option.argument != nullptr) {
            names += std::string(" ") + option.argument;
        }
        names += std::string(names.size() < HELP_COLUMN ? HELP_COLUMN - names.size() : 1, ' ');
        text += names + wrapped(option.help, HELP_COLUMN, width) + "\n";
        if (option.asks == Asks::Skill) {
            for (const Skill& skill : Skill::table()) {
                const std::string entry = std::string(skill.word) + ": " + skill.about;
                text += std::string(HELP_COLUMN + 2, ' ') +
                        wrapped(entry, HELP_COLUMN + 4, width - 2) + "\n";
            }
        }
    }
    return text + "\n"
                  "--edit, --record, --playdemo and --timedemo each exclude the others, and\n"
                  "so do --windowed and --fullscreen.\n"
                  "\n"
                  "Exit status: 0 after a normal end, 1 when the game cannot start, its last\n"
                  "save failed or the summary could not be written, 2 for a command line it\n"
                  "cannot use, 3 for a demo that went out of step.\n";
}

std::string CommandLine::manualOptions() {
    std::string text = ".SH OPTIONS\n";
    for (const Option& option : options()) {
        std::string names = option.shortName != 0
                                ? std::string("\\-") + option.shortName + ", \\-\\-" + option.name
                                : std::string("\\-\\-") + option.name;
        text += ".TP\n";
        text += option.argument != nullptr ? ".BI " + names + " \" " + option.argument + "\"\n"
                                           : ".B " + names + "\n";
        text += std::string(option.manual) + "\n";
        if (option.asks == Asks::Skill) {
            for (const Skill& skill : Skill::table()) {
                text += ".RS\n.TP\n.B " + std::string(skill.word) + "\n" + skill.about + "\n.RE\n";
            }
        }
    }
    return text;
}
