// libFuzzer target: the demo reader on any bytes (`make fuzz`).
#include "ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkDemoReader(data, size);
    return 0;
}
