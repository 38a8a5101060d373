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
