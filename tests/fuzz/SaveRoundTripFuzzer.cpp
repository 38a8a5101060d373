// libFuzzer target: any record the save writer is given reads back as it went in
// (`make fuzz`).
#include "ReaderChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    checkSaveRoundTrip(recordFromBytes(data, size));
    return 0;
}
