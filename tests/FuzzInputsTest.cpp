// Every seed of the readers' fuzzers, and every input that once found a fault, read
// again with the promises the fuzzers check (tests/fuzz/ReaderChecks.h).
#include "TestSupport.h"
#include "fuzz/LevelInfoChecks.h"
#include "fuzz/ReaderChecks.h"
#include "fuzz/SettingsChecks.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Check = void (*)(const uint8_t*, std::size_t);

int replay(const std::string& reader, Check check) {
    int inputs = 0;
    for (const char* kind : {"seeds", "found"}) {
        const fs::path folder = fs::path(DUSKMARCH_FUZZ_DIR) / kind / reader;
        if (!fs::exists(folder)) {
            continue; // nothing found there yet
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
            SCOPED_TRACE(entry.path().string());
            check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    return inputs;
}

TEST(FuzzInputsTest, TheLevelReaderKeepsItsPromisesOnEveryKeptInput) {
    EXPECT_GE(replay("level", checkLevelReader), 6);
}

TEST(FuzzInputsTest, TheSaveReaderKeepsItsPromisesOnEveryKeptInput) {
    EXPECT_GE(replay("save", checkSaveReader), 5);
}

TEST(FuzzInputsTest, TheDemoReaderKeepsItsPromisesOnEveryKeptInput) {
    EXPECT_GE(replay("demo", checkDemoReader), 3);
}

TEST(FuzzInputsTest, TheSettingsReaderKeepsItsPromisesOnEveryKeptInput) {
    startAllegroForTests();
    EXPECT_GE(replay("settings", checkSettingsReader), 3);
}

TEST(FuzzInputsTest, TheCryptsAndBestTimesReadersKeepTheirPromisesOnEveryKeptInput) {
    startAllegroForTests();
    EXPECT_GE(replay("level_info", checkLevelInfoReaders), 3);
}

} // namespace
