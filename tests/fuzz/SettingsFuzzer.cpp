// libFuzzer target: the settings reader on any bytes (`make fuzz`).
#include "SettingsChecks.h"

#include <allegro5/allegro.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool started = al_init();
    (void)started;
    checkSettingsReader(data, size);
    return 0;
}
