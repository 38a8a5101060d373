#pragma once

#include <cstddef>
#include <cstdint>

// What every input, however hostile, must leave true after the level reader or the
// save reader has read it: every cell 0 to 9, every unit inside the grid, every
// position on a grid line. A broken promise aborts, which the fuzzers report and the
// replaying unit test fails on.
void checkLevelReader(const uint8_t* data, std::size_t size);
void checkSaveReader(const uint8_t* data, std::size_t size);
