#pragma once

#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/Trackable.h"

#include <allegro5/allegro_audio.h>
#include <cstdint>
#include <map>

// Owns the loaded samples and plays one, by id, for every sound event.
class SoundSystem : public Trackable, public EventListener {
  public:
    SoundSystem() = default;
    ~SoundSystem() override;
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Installs audio and registers for sound events; false leaves the game silent.
    bool init(EventSystem* eventSystem);
    void handleEvent(const Event& event) override;
    // Takes the sample into its keeping under the id; one it held there before is freed.
    void addSample(int32_t id, ALLEGRO_SAMPLE* sample);

    std::map<int32_t, ALLEGRO_SAMPLE*> samples;

    static const int RESERVED_SAMPLES = 5;
};
