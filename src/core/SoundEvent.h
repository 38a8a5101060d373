#pragma once

#include "core/Event.h"

#include <cstdint>

// A request to play the sample registered under soundId.
class SoundEvent : public Event {
  public:
    // The library's pan runs from -1 (left) to +1 (right): 0 is the middle.
    static constexpr float CENTRE = 0.0f;

    SoundEvent(int32_t soundId, float gain, float pan, bool loop)
        : Event(SOUND_EVENT), soundId(soundId), gain(gain), pan(pan), loop(loop) {}

    int32_t soundId;
    float gain;
    float pan;
    bool loop;          // play until the audio system shuts down
    float speed = 1.0f; // above 1 higher and quicker, below lower and slower
};
