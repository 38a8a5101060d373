// libFuzzer target: the crypt's file and the best times on any bytes (`make fuzz`).
#include "LevelInfoChecks.h"

#include <allegro5/allegro.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool started = al_init();
    (void)started;
    checkLevelInfoReaders(data, size);
    return 0;
}
