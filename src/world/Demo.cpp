#include "world/Demo.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

const char* const MAGIC = "duskmarch-demo";
// The flags in their order; version 3 added the last three, the map's.
const char FLAGS[] = "rqslfwvpmkx";

int flagCount(int version) {
    return version >= 3 ? 11 : 8;
}

bool* flagOf(PlayerCommand& command, int index) {
    bool* flags[] = {&command.run,    &command.quit,  &command.spawn,     &command.slower,
                     &command.faster, &command.sword, &command.save,      &command.footstep,
                     &command.map,    &command.mark,  &command.clearMarks};
    return flags[index];
}

std::string hex(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

// The next line from at, without its line feed; false at the end of the text.
bool nextLine(const std::string& text, std::size_t& at, std::string& line) {
    line.clear();
    if (at >= text.size()) {
        return false;
    }
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos) {
        line = text.substr(at);
        at = text.size();
        return false; // a line without its end is a line cut short
    }
    line = text.substr(at, end - at);
    at = end + 1;
    return true;
}

// Version 1 frames have no stick turn; version 2 has it after the pointer's travel.
bool readFrame(const std::string& line, int version, Demo::Frame& frame) {
    long long step = 0;
    int forward = 0, strafe = 0, keyTurn = 0, stickTurn = 0;
    long travel = 0;
    char flags[16] = {};
    char sum[24] = {};
    int used = 0;
    const bool read =
        version == 1
            ? std::sscanf(line.c_str(), "frame %lld %d %d %d %ld %15s %23s%n", &step, &forward,
                          &strafe, &keyTurn, &travel, flags, sum, &used) == 7
            : std::sscanf(line.c_str(), "frame %lld %d %d %d %ld %d %15s %23s%n", &step, &forward,
                          &strafe, &keyTurn, &travel, &stickTurn, flags, sum, &used) == 8;
    if (!read || static_cast<std::size_t>(used) != line.size()) {
        return false;
    }
    const auto unit = [](int value) { return value >= -1 && value <= 1; };
    if (step < 0 || !unit(forward) || !unit(strafe) || !unit(keyTurn) || travel < INT32_MIN ||
        travel > INT32_MAX || stickTurn < -Demo::STICK_TURN_LIMIT ||
        stickTurn > Demo::STICK_TURN_LIMIT || std::strlen(sum) != 16) {
        return false;
    }
    frame.stepNs = step;
    frame.command = PlayerCommand();
    frame.command.forward = static_cast<int8_t>(forward);
    frame.command.strafe = static_cast<int8_t>(strafe);
    frame.command.keyTurn = static_cast<int8_t>(keyTurn);
    frame.command.pointerTravel = static_cast<int32_t>(travel);
    frame.command.stickTurn = static_cast<int16_t>(stickTurn);
    if (std::strcmp(flags, "-") != 0) {
        int next = 0; // flags come in their fixed order, each once
        for (const char* flag = flags; *flag != '\0'; ++flag) {
            const char* found = std::strchr(FLAGS + next, *flag);
            if (found == nullptr || found - FLAGS >= flagCount(version)) {
                return false;
            }
            next = static_cast<int>(found - FLAGS);
            *flagOf(frame.command, next++) = true;
        }
    }
    char* end = nullptr;
    frame.checksum = std::strtoull(sum, &end, 16);
    return end != nullptr && *end == '\0';
}

} // namespace

uint64_t Demo::hash(const void* data, std::size_t size, uint64_t seed) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint64_t value = seed;
    for (std::size_t i = 0; i < size; ++i) {
        value = (value ^ bytes[i]) * 1099511628211ull;
    }
    return value;
}

namespace {

// The settings that steer the world, in the table's order, after the line's name.
bool readSteering(const std::string& line, Settings& steering) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word != Demo::STEERING_LINE) {
        return false;
    }
    for (const Settings::Entry& entry : Settings::table()) {
        int32_t value = 0;
        if (!entry.steersWorld) {
            continue;
        }
        if (!(words >> word) || !entry.parse(word.c_str(), value)) {
            return false;
        }
        entry.set(steering, value);
    }
    return !(words >> word) && line.find("  ") == std::string::npos && line.back() != ' ';
}

} // namespace

// "skill WORD damage regain step delay falls cues [reach]": the rules the game was played
// by; the reach (from version 5) is 1 where the sword reaches the skull's square.
bool readSkill(const std::string& line, int version, Demo& demo) {
    char word[32] = {};
    int damage = 0, regain = 0, step = 0, delay = 0, falls = 0, cues = 0, reach = 0, used = 0;
    const bool hasReach = version >= 5;
    int fields = std::sscanf(line.c_str(), "skill %31s %d %d %d %d %d %d%n", word, &damage, &regain,
                             &step, &delay, &falls, &cues, &used);
    if (hasReach && fields == 7) {
        int more = 0;
        fields += std::sscanf(line.c_str() + used, " %d%n", &reach, &more) == 1 ? 1 : 0;
        used += more;
    }
    if (line.size() > 120 || fields != (hasReach ? 8 : 7) ||
        static_cast<std::size_t>(used) != line.size()) {
        return false;
    }
    const auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    if (Skill::indexOf(word) < 0 || !within(damage, 0, 100) || !within(regain, 0, 100) ||
        !within(step, 100, 4000) || !within(delay, 0, 60000) || !within(falls, 0, 1) ||
        !within(cues, 0, 1) || !within(reach, 0, 1)) {
        return false;
    }
    demo.skillWord = word;
    demo.knobs = {damage, regain, step, delay, falls == 1, cues == 1, reach == 1};
    return true;
}

std::string Demo::header() const {
    std::ostringstream text;
    text << MAGIC << " " << formatVersion << "\n";
    text << "game " << gameVersion << "\n";
    text << "level " << levelName << " " << hex(levelHash) << "\n";
    text << STEERING_LINE;
    for (const Settings::Entry& entry : Settings::table()) {
        if (entry.steersWorld) {
            text << " " << entry.word(entry.get(steering));
        }
    }
    text << "\n";
    if (formatVersion >= 4) {
        const Skill::Knobs& k = knobs;
        text << SKILL_LINE << " " << skillWord << " " << k.blowDamage << " " << k.staminaPerSecond
             << " " << k.stepPermille << " " << k.strikeDelayMs << " " << int(k.playerFalls) << " "
             << int(k.cues);
        if (formatVersion >= 5) {
            text << " " << int(k.squareReach);
        }
        text << "\n";
    }
    if (startsWithLoad) {
        text << "start load " << save.size() << "\n" << save;
    } else {
        text << "start play\n";
    }
    return text.str();
}

std::string Demo::frameLine(const Frame& frame, int version) {
    std::string flags;
    PlayerCommand command = frame.command;
    for (int i = 0; i < flagCount(version); ++i) {
        if (*flagOf(command, i)) {
            flags += FLAGS[i];
        }
    }
    std::ostringstream line;
    line << "frame " << frame.stepNs << " " << int(command.forward) << " " << int(command.strafe)
         << " " << int(command.keyTurn) << " " << command.pointerTravel << " ";
    if (version > 1) {
        line << command.stickTurn << " ";
    }
    line << (flags.empty() ? "-" : flags) << " " << hex(frame.checksum) << "\n";
    return line.str();
}

std::string Demo::endLine(std::size_t frames) {
    return "end " + std::to_string(frames) + "\n";
}

bool Demo::read(const std::string& text, Demo& demo, std::string& reason) {
    demo = Demo();
    if (text.size() > SIZE_LIMIT) {
        reason = "it is larger than " + std::to_string(SIZE_LIMIT >> 20) + " MB";
        return false;
    }
    std::size_t at = 0;
    std::string line;
    int version = 0;
    char word[64] = {};
    if (!nextLine(text, at, line) ||
        std::sscanf(line.c_str(), "duskmarch-demo %d", &version) != 1) {
        reason = "it is not a demo";
        return false;
    }
    if (version < 1 || version > FORMAT_VERSION) {
        reason = "it is of format version " + std::to_string(version) +
                 ", and this game plays 1 to " + std::to_string(FORMAT_VERSION);
        return false;
    }
    demo.formatVersion = version;
    char name[256] = {};
    char sum[24] = {};
    long long saveBytes = 0;
    if (!nextLine(text, at, line) || std::sscanf(line.c_str(), "game %63s", word) != 1) {
        reason = "its header is damaged (game)";
        return false;
    }
    demo.gameVersion = word;
    if (!nextLine(text, at, line) || line.size() > 300 ||
        std::sscanf(line.c_str(), "level %255s %23s", name, sum) != 2 || std::strlen(sum) != 16) {
        reason = "its header is damaged (level)";
        return false;
    }
    demo.levelName = name;
    demo.levelHash = std::strtoull(sum, nullptr, 16);
    if (!nextLine(text, at, line) || !readSteering(line, demo.steering)) {
        reason = "its header is damaged (turning)";
        return false;
    }
    if (version >= 4 && (!nextLine(text, at, line) || !readSkill(line, version, demo))) {
        reason = "its header is damaged (skill)";
        return false;
    }
    if (!nextLine(text, at, line)) {
        reason = "its header is damaged (start)";
        return false;
    }
    if (line == "start play") {
        demo.startsWithLoad = false;
    } else if (std::sscanf(line.c_str(), "start load %lld", &saveBytes) == 1 && saveBytes >= 0 &&
               static_cast<unsigned long long>(saveBytes) <= text.size() - at) {
        demo.startsWithLoad = true;
        demo.save = text.substr(at, static_cast<std::size_t>(saveBytes));
        at += static_cast<std::size_t>(saveBytes);
    } else {
        reason = "its header is damaged (start)";
        return false;
    }
    Frame frame;
    while (at < text.size()) {
        if (!nextLine(text, at, line)) {
            demo.cut = "frame " + std::to_string(demo.frames.size() + 1) + " is cut short";
            break;
        }
        if (line.rfind("end ", 0) == 0) {
            demo.complete = line + "\n" == endLine(demo.frames.size());
            if (!demo.complete) {
                demo.cut = "its end line counts the frames otherwise";
            }
            break;
        }
        if (!readFrame(line, version, frame)) {
            demo.cut = "frame " + std::to_string(demo.frames.size() + 1) + " is damaged";
            break;
        }
        demo.frames.push_back(frame);
    }
    if (!demo.complete && demo.cut.empty()) {
        demo.cut = "it ends without its end line";
    }
    return true;
}
