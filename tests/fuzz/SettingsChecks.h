#pragma once

#include <cstddef>
#include <cstdint>

// What any bytes, read as a settings file, must leave true: every setting within its
// range, every key a real one, at most one problem for each value the file can hold, and
// what is written from the settings read back the same.
void checkSettingsReader(const uint8_t* data, std::size_t size);
