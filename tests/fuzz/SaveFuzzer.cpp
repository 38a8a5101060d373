// libFuzzer target: the save reader on any bytes (`make fuzz`).
#include "ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkSaveReader(data, size);
    return 0;
}
