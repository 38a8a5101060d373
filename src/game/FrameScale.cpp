#include "game/FrameScale.h"

#include <algorithm>

FrameScale FrameScale::fit(int32_t frameWidth, int32_t frameHeight, int32_t screenWidth,
                           int32_t screenHeight) {
    FrameScale scale;
    if (frameWidth > 0 && frameHeight > 0) {
        scale.factor = std::max(1, std::min(screenWidth / frameWidth, screenHeight / frameHeight));
    }
    scale.width = frameWidth * scale.factor;
    scale.height = frameHeight * scale.factor;
    // Odd leftovers put the extra pixel of bar on the right and at the bottom.
    scale.left = (screenWidth - scale.width) / 2;
    scale.top = (screenHeight - scale.height) / 2;
    return scale;
}

FrameScale FrameScale::fill(int32_t frameWidth, int32_t frameHeight, int32_t screenWidth,
                            int32_t screenHeight) {
    FrameScale scale = fit(frameWidth, frameHeight, screenWidth, screenHeight);
    if (frameWidth <= 0 || frameHeight <= 0 || scale.width > screenWidth ||
        scale.height > screenHeight) {
        return scale; // nothing to fill, or a screen smaller than the frame
    }
    // Whichever side meets the screen first decides; 64-bit, as the products may be large.
    if (static_cast<int64_t>(screenWidth) * frameHeight <=
        static_cast<int64_t>(screenHeight) * frameWidth) {
        scale.width = screenWidth;
        scale.height =
            static_cast<int32_t>(static_cast<int64_t>(screenWidth) * frameHeight / frameWidth);
    } else {
        scale.height = screenHeight;
        scale.width =
            static_cast<int32_t>(static_cast<int64_t>(screenHeight) * frameWidth / frameHeight);
    }
    scale.left = (screenWidth - scale.width) / 2;
    scale.top = (screenHeight - scale.height) / 2;
    return scale;
}
