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
    if (sound.loop) {
        loops.push_back(Loop{sound.soundId, sound.gain, sound.pan, false, ALLEGRO_SAMPLE_ID{}});
        playLoop(loops.back());
        return;
    }
    auto found = samples.find(sound.soundId);
    if (found == samples.end() || effectsVolume <= 0.0f) {
        return;
    }
    al_play_sample(found->second, sound.gain * effectsVolume, sound.pan, sound.speed,
                   ALLEGRO_PLAYMODE_ONCE, nullptr);
}

void SoundSystem::setVolumes(float effects, float ambience) {
    effectsVolume = effects;
    if (ambience == ambienceVolume) {
        return;
    }
    ambienceVolume = ambience;
    for (Loop& loop : loops) {
        if (loop.playing) {
            al_stop_sample(&loop.playback);
            loop.playing = false;
        }
        playLoop(loop);
    }
}

// Silent at no volume: nothing is played, and the loop starts when the volume comes up.
void SoundSystem::playLoop(Loop& loop) {
    auto found = samples.find(loop.soundId);
    if (found == samples.end() || ambienceVolume <= 0.0f) {
        return;
    }
    loop.playing = al_play_sample(found->second, loop.gain * ambienceVolume, loop.pan, 1.0f,
                                  ALLEGRO_PLAYMODE_LOOP, &loop.playback);
}
