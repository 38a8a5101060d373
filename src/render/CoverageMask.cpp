#include "render/CoverageMask.h"

#include <algorithm>

void CoverageMask::clear(int32_t width, int32_t height) {
    if (width != maskWidth || height != maskHeight) {
        maskWidth = std::max(width, 0);
        maskHeight = std::max(height, 0);
        wordsPerRow = (static_cast<std::size_t>(maskWidth) + 63) / 64;
        words.assign(static_cast<std::size_t>(maskHeight) * wordsPerRow, 0);
        return;
    }
    std::fill(words.begin(), words.end(), 0);
}
