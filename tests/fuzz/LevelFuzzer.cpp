// libFuzzer target: the level reader on any bytes (`make fuzz`).
#include "ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkLevelReader(data, size);
    return 0;
}
