#pragma once

#include <allegro5/allegro.h>
#include <array>
#include <cstdint>

// The few conversions every pixel of the drawing passes goes through, exactly as the
// library does them: reading a channel byte, storing a channel, and darkening a colour.
// They depend on nothing else of the game, so that the locked image, the shade tables
// and the camera can all share them.
struct PixelConversions {
    // What an 8-bit channel reads as: v / 255.0f, as the library reads it.
    static constexpr std::array<float, 256> byteToFloat() {
        std::array<float, 256> table{};
        for (int value = 0; value < 256; ++value) {
            table[value] = static_cast<float>(value) / 255.0f;
        }
        return table;
    }

    // A channel as al_put_pixel stores it, or -1 when it is outside 0..1 (or not a number).
    static int storedByte(float channel) {
        const float scaled = channel * 255.0f;
        if (!(scaled >= 0.0f && scaled < 256.0f)) {
            return -1;
        }
        return static_cast<int>(scaled);
    }

    // Red, green and blue divided through double arithmetic; alpha kept.
    static ALLEGRO_COLOR darken(ALLEGRO_COLOR colour, double divisor) {
        colour.r = static_cast<float>(static_cast<double>(colour.r) / divisor);
        colour.g = static_cast<float>(static_cast<double>(colour.g) / divisor);
        colour.b = static_cast<float>(static_cast<double>(colour.b) / divisor);
        return colour;
    }
};

inline constexpr std::array<float, 256> BYTE_TO_FLOAT = PixelConversions::byteToFloat();
