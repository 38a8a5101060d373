#pragma once

#include "world/LevelFile.h"
#include "world/SaveRecord.h"

#include <cstddef>
#include <cstdint>

// What every input, however hostile, must leave true after the level reader or the
// save reader has read it: every cell 0 to 9, every unit inside the grid, every
// position on a grid line. A broken promise aborts, which the fuzzers report and the
// replaying unit test fails on.
void checkLevelReader(const uint8_t* data, std::size_t size);
void checkSaveReader(const uint8_t* data, std::size_t size);
// A level the reader took, written as the editor writes it, reads back the same level.
void checkLevelRoundTrip(int** grid, const LevelFile& level);

// A record written by the save writer reads back as it went in, as far as the format
// keeps it: whole cells, positions inside the grid, every statistic exactly, the units
// in their order.
void checkSaveRoundTrip(const SaveRecord& record);
// Any bytes as a record, doubles and ints straight from them, so that a fuzzer reaches
// every value the writer can meet: NaN, infinities, huge and negative numbers.
SaveRecord recordFromBytes(const uint8_t* data, std::size_t size);

// A demo the reader takes has every command within its bounds, and written again it reads
// back the same: the header, every frame, and whether it was whole.
void checkDemoReader(const uint8_t* data, std::size_t size);
