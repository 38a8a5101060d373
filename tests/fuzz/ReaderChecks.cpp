#include "ReaderChecks.h"

#include "world/Demo.h"
#include "world/LevelDraft.h"
#include "world/LevelFile.h"
#include "world/MapGrid.h"
#include "world/NumberParser.h"
#include "world/SaveReader.h"
#include "world/SaveWriter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

void require(bool promise, const char* what) {
    if (!promise) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool onGridLine(const std::optional<int>& position) {
    return !position.has_value() || (*position >= 0 && *position < MAP_SIZE);
}

// The whole cell a position is saved as, where the reader takes it back.
std::optional<int> savedCell(double position) {
    const int cell = NumberParser::truncateToInt(position);
    return cell >= 0 && cell < MAP_SIZE ? std::optional<int>(cell) : std::nullopt;
}

// Takes values off the front of the bytes; what runs out reads as zero.
class ByteSource {
  public:
    ByteSource(const uint8_t* data, std::size_t size) : data(data), left(size) {}
    template <typename T> T take() {
        T value{};
        const std::size_t count = std::min(sizeof value, left);
        std::memcpy(&value, data, count);
        data += count;
        left -= count;
        return value;
    }
    bool empty() const { return left == 0; }

  private:
    const uint8_t* data;
    std::size_t left;
};

} // namespace

void checkLevelReader(const uint8_t* data, std::size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    int** grid = MapGrid::allocate();
    // Cells the reader does not set must not keep an earlier level's walls either.
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            grid[x][y] = -7;
        }
    }
    const LevelFile level = LevelFile::read(text, grid);
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            require(grid[x][y] >= 0 && grid[x][y] <= 9, "a cell outside 0..9");
        }
    }
    for (const LevelFile::UnitPlace& place : level.units) {
        require(MapGrid::contains(place.x, place.y), "a unit outside the grid");
    }
    require(level.problems.size() <= MAP_SIZE + 2 + level.units.size() + size,
            "more problems than lines");
    require(level.name.size() <= LevelFile::NAME_LIMIT, "a name past its limit");
    require(!level.start.has_value() || MapGrid::contains(level.start->x, level.start->y),
            "a start outside the grid");
    require(!level.parSeconds.has_value() ||
                (*level.parSeconds >= 1 && *level.parSeconds <= LevelFile::PAR_LIMIT),
            "a par out of range");
    checkLevelRoundTrip(grid, level);
    MapGrid::release(grid);
}

// What the editor writes of a level reads back as the same level: every cell, the name,
// start, par and units in their order; and written again, the same bytes.
void checkLevelRoundTrip(int** grid, const LevelFile& level) {
    const std::string text = LevelFile::compose(grid, level);
    if (text.size() > LineReader::TEXT_LIMIT) {
        return; // "unit:" alone is written "unit:0 0": more than the reader takes
    }
    std::istringstream again(text);
    int** copy = MapGrid::allocate();
    const LevelFile read = LevelFile::read(again, copy);
    for (int x = 0; x < MAP_SIZE; ++x) {
        for (int y = 0; y < MAP_SIZE; ++y) {
            require(copy[x][y] == grid[x][y], "a cell written is read back otherwise");
        }
    }
    require(read.name == level.name, "the name is read back otherwise");
    require(
        read.start.has_value() == level.start.has_value() &&
            (!read.start || (read.start->x == level.start->x && read.start->y == level.start->y)),
        "the start is read back otherwise");
    require(read.parSeconds == level.parSeconds, "the par is read back otherwise");
    require(read.units.size() == level.units.size(), "units are lost or gained");
    for (std::size_t i = 0; i < read.units.size(); ++i) {
        require(read.units[i].x == level.units[i].x && read.units[i].y == level.units[i].y,
                "a unit is read back elsewhere");
    }
    require(read.problems.empty(), "what was written is read with a problem");
    require(LevelFile::compose(copy, read) == text, "written again, other bytes");
    // The editor writes the start of a level that tells none all the same.
    require(!level.start.has_value() || LevelDraft::fromText(text).text() == text,
            "the editor writes other bytes");
    MapGrid::release(copy);
}

void checkSaveReader(const uint8_t* data, std::size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    const SaveReader save = SaveReader::read(text);
    require(onGridLine(save.x) && onGridLine(save.y), "a position outside the grid");
    for (const LevelFile::UnitPlace& place : save.units) {
        require(MapGrid::contains(place.x, place.y), "a unit outside the grid");
    }
    require(save.units.empty() || save.replacesUnits, "units that replace nothing");
    require(save.problems.size() <= 2, "a cut said more than once");
    const std::vector<LevelFile::UnitPlace> marks = save.marks();
    require(marks.size() <= SaveReader::MAX_MARKS, "more marks than a map keeps");
    for (const LevelFile::UnitPlace& mark : marks) {
        require(MapGrid::contains(mark.x, mark.y), "a mark outside the grid");
    }
    require(save.seen.size() == MAP_SIZE, "a map of another size");
    for (const std::vector<bool>& row : save.seen) {
        require(row.size() == MAP_SIZE, "a map row of another size");
    }
}

void checkSaveRoundTrip(const SaveRecord& record) {
    std::istringstream text(SaveWriter::compose(record));
    const SaveReader save = SaveReader::read(text);
    require(save.x == savedCell(record.player.x) && save.y == savedCell(record.player.y),
            "the player's cell changed");
    require(save.health == record.health && save.mana == record.mana &&
                save.stamina == record.stamina,
            "a statistic changed");
    require(save.replacesUnits, "a save that leaves the level's units in place");
    std::vector<LevelFile::UnitPlace> expected;
    for (const SaveRecord::Place& unit : record.units) {
        const std::optional<int> x = savedCell(unit.x);
        const std::optional<int> y = savedCell(unit.y);
        if (x && y) {
            expected.push_back({*x, *y});
        }
    }
    require(save.units.size() == expected.size(), "units lost or gained");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        require(save.units[i].x == expected[i].x && save.units[i].y == expected[i].y,
                "a unit moved");
    }
    require(save.problems.empty(), "a save the reader had to cut");
    require(save.keepsMap == record.keepsMap, "a map kept or lost");
    if (!record.keepsMap) {
        return;
    }
    require(save.seen == record.seen, "a cell seen or forgotten");
    const std::vector<LevelFile::UnitPlace> marks = save.marks();
    require(marks.size() == record.marks.size(), "marks lost or gained");
    for (std::size_t i = 0; i < marks.size(); ++i) {
        require(marks[i].x == static_cast<int>(record.marks[i].x) &&
                    marks[i].y == static_cast<int>(record.marks[i].y),
                "a mark moved");
    }
}

SaveRecord recordFromBytes(const uint8_t* data, std::size_t size) {
    ByteSource bytes(data, size);
    SaveRecord record;
    record.player = {bytes.take<double>(), bytes.take<double>()};
    record.health = bytes.take<int32_t>();
    record.mana = bytes.take<int32_t>();
    record.stamina = bytes.take<int32_t>();
    // Half the time a map: its cells seen from the bits of the next bytes, and marks.
    record.keepsMap = bytes.take<uint8_t>() % 2 == 1;
    if (record.keepsMap) {
        record.seen.assign(MAP_SIZE, std::vector<bool>(MAP_SIZE, false));
        for (int cell = 0; cell < MAP_SIZE * MAP_SIZE; cell += 8) {
            const uint8_t bits = bytes.take<uint8_t>();
            for (int bit = 0; bit < 8 && cell + bit < MAP_SIZE * MAP_SIZE; ++bit) {
                record.seen[static_cast<std::size_t>((cell + bit) / MAP_SIZE)]
                           [static_cast<std::size_t>((cell + bit) % MAP_SIZE)] = (bits >> bit) & 1;
            }
        }
        const int markCount = bytes.take<uint8_t>() % (SaveReader::MAX_MARKS + 1);
        for (int i = 0; i < markCount; ++i) {
            record.marks.push_back({static_cast<double>(bytes.take<uint8_t>() % MAP_SIZE),
                                    static_cast<double>(bytes.take<uint8_t>() % MAP_SIZE)});
        }
    }
    // A few hundred units at most from a fuzzer's inputs, far within what the reader takes.
    while (!bytes.empty()) {
        record.units.push_back({bytes.take<double>(), bytes.take<double>()});
    }
    return record;
}

void checkDemoReader(const uint8_t* data, std::size_t size) {
    Demo demo;
    std::string reason;
    if (!Demo::read(std::string(reinterpret_cast<const char*>(data), size), demo, reason)) {
        require(!reason.empty(), "a demo refused without a reason");
        return;
    }
    std::string text = demo.header();
    for (const Demo::Frame& frame : demo.frames) {
        const PlayerCommand& command = frame.command;
        require(command.forward >= -1 && command.forward <= 1 && command.strafe >= -1 &&
                    command.strafe <= 1 && command.keyTurn >= -1 && command.keyTurn <= 1 &&
                    frame.stepNs >= 0,
                "a frame out of its bounds");
        text += Demo::frameLine(frame, demo.formatVersion);
    }
    if (demo.complete) {
        text += Demo::endLine(demo.frames.size());
    }
    Demo again;
    require(Demo::read(text, again, reason), "a demo that does not read back");
    require(again.header() == demo.header() && again.complete == demo.complete &&
                again.frames.size() == demo.frames.size(),
            "a demo that reads back otherwise");
    for (std::size_t i = 0; i < demo.frames.size(); ++i) {
        require(again.frames[i].command == demo.frames[i].command &&
                    again.frames[i].stepNs == demo.frames[i].stepNs &&
                    again.frames[i].checksum == demo.frames[i].checksum,
                "a frame that reads back otherwise");
    }
}
