#pragma once

#include <cstddef>
#include <cstdint>

// What any bytes, read as the crypt's file and as the best times, must leave true: only
// plain level file names, no more than the crypt takes, pars in range, always a level to
// play; only times a level can take, and what is written reads back the same.
void checkLevelInfoReaders(const uint8_t* data, std::size_t size);
