#include "io/SoundSystem.h"

#include "core/SoundEvent.h"

#include <allegro5/allegro_acodec.h>

SoundSystem::~SoundSystem() {
    for (auto& [id, sample] : samples) {
        al_destroy_sample(sample);
    }
    if (al_is_audio_installed()) {
        al_uninstall_audio();
    }
    samples.clear();
}

bool SoundSystem::init(EventSystem* eventSystem) {
    // Each step needs the one before it: Allegro aborts on reserving voices without audio.
    if (!al_install_audio()) {
        return false;
    }
    if (!al_init_acodec_addon()) {
        return false;
    }
    if (!al_reserve_samples(RESERVED_SAMPLES)) {
        return false;
    }
    eventSystem->addListener(SOUND_EVENT, this);
    return true;
}

void SoundSystem::addSample(int32_t id, ALLEGRO_SAMPLE* sample) {
    ALLEGRO_SAMPLE*& slot = samples[id];
    if (slot != nullptr && slot != sample) {
        al_destroy_sample(slot);
    }
    slot = sample;
}

void SoundSystem::handleEvent(const Event& event) {
    if (event.type != SOUND_EVENT) {
        return;
    }
    const auto& sound = static_cast<const SoundEvent&>(event);
    auto found = samples.find(sound.soundId);
    if (found == samples.end()) {
        return;
    }
    const ALLEGRO_PLAYMODE mode = sound.loop ? ALLEGRO_PLAYMODE_LOOP : ALLEGRO_PLAYMODE_ONCE;
    al_play_sample(found->second, sound.gain, sound.pan, 1.0f, mode, nullptr);
}
