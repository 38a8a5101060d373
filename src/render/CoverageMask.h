#pragma once

#include <cstdint>
#include <vector>

// Which pixels of a frame a nearer billboard has already written, one bit a pixel, row by
// row, so that a block of a few pixels across is checked and taken with a word operation
// per row. Drawing units nearest first and skipping what is taken gives the picture that
// drawing them farthest first, each over the last, would give.
class CoverageMask {
  public:
    // The columns [left, right) of a stripe, at most 64 of them, as found in every row.
    struct Span {
        int32_t left = 0;
        int32_t word = 0;     // the row's word holding column left
        int32_t offset = 0;   // where in that word
        bool crosses = false; // the span runs on into the next word
        uint64_t all = 0;     // one bit for each column, from bit 0
    };

    // Forgets every pixel; sizes the mask on first use and when the frame's size changes.
    void clear(int32_t width, int32_t height);

    // Columns inside the frame, at most 64 of them.
    static Span span(int32_t left, int32_t right) {
        Span span;
        span.left = left;
        span.word = left >> 6;
        span.offset = left & 63;
        span.crosses = span.offset + (right - left) > 64;
        span.all = lowBits(right - left);
        return span;
    }

    // True when any pixel has been taken since the last clear.
    bool anyTaken() const {
        for (uint64_t word : words) {
            if (word != 0) {
                return true;
            }
        }
        return false;
    }
    // True when every pixel of the span in rows [top, bottom) is taken.
    bool covers(const Span& span, int32_t top, int32_t bottom) const {
        for (int32_t y = top; y < bottom; ++y) {
            if (bitsOf(span, y) != span.all) {
                return false;
            }
        }
        return true;
    }

    // Takes the span's pixels in row y and answers which of them were still free: bit i
    // stands for column span.left + i.
    uint64_t take(const Span& span, int32_t y) {
        const uint64_t free = ~bitsOf(span, y) & span.all;
        uint64_t* row = rowWords(y);
        row[span.word] |= span.all << span.offset;
        if (span.crosses) {
            row[span.word + 1] |= span.all >> (64 - span.offset);
        }
        return free;
    }

  private:
    static uint64_t lowBits(int32_t count) {
        return count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
    }
    uint64_t* rowWords(int32_t y) { return &words[static_cast<std::size_t>(y) * wordsPerRow]; }
    const uint64_t* rowWords(int32_t y) const {
        return &words[static_cast<std::size_t>(y) * wordsPerRow];
    }
    // The span's bits in row y, moved down so that column span.left is bit 0.
    uint64_t bitsOf(const Span& span, int32_t y) const {
        const uint64_t* row = rowWords(y);
        uint64_t bits = row[span.word] >> span.offset;
        if (span.crosses) {
            bits |= row[span.word + 1] << (64 - span.offset);
        }
        return bits & span.all;
    }

    std::vector<uint64_t> words;
    int32_t maskWidth = 0;
    int32_t maskHeight = 0;
    std::size_t wordsPerRow = 0;
};
