#pragma once

#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/Trackable.h"

#include <allegro5/allegro_audio.h>
#include <cstdint>
#include <map>
#include <vector>

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
    // The player's volumes, 0 to 1, for the sounds played once (effects) and the looping
    // ones (the ambience). A looping sound already playing starts again at its new level.
    void setVolumes(float effects, float ambience);

    std::map<int32_t, ALLEGRO_SAMPLE*> samples;

    // Room for the skulls' chatter beside the footsteps, the sword and the ambience.
    static const int RESERVED_SAMPLES = 12;

  private:
    // A looping sound as it was asked for, and its playback while it plays.
    struct Loop {
        int32_t soundId;
        float gain;
        float pan;
        bool playing;
        ALLEGRO_SAMPLE_ID playback;
    };

    void playLoop(Loop& loop);

    float effectsVolume = 1.0f;
    float ambienceVolume = 1.0f;
    std::vector<Loop> loops;
};
