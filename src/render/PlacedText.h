#pragma once

#include <allegro5/allegro_font.h>
#include <string>

// A line of text where a drawing puts it: its words, the point al_draw_text is given, and
// how it is aligned there. Drawings lay their lines out as these first, so that where the
// words stand can be checked (no line over another) without looking at a pixel.
struct PlacedText {
    struct Box {
        float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
        bool overlaps(const Box& other) const {
            return left < other.right && other.left < right && top < other.bottom &&
                   other.top < bottom;
        }
    };

    std::string text;
    float x = 0.0f, y = 0.0f;
    int align = ALLEGRO_ALIGN_LEFT;

    // The box the words take in this face: as wide as they are, a line high.
    Box box(const ALLEGRO_FONT* font) const {
        const float width = static_cast<float>(al_get_text_width(font, text.c_str()));
        const float left = align == ALLEGRO_ALIGN_CENTRE  ? x - width / 2.0f
                           : align == ALLEGRO_ALIGN_RIGHT ? x - width
                                                          : x;
        return {left, y, left + width, y + static_cast<float>(al_get_font_line_height(font))};
    }
    void draw(const ALLEGRO_FONT* font, ALLEGRO_COLOR ink) const {
        al_draw_text(font, ink, x, y, align, text.c_str());
    }
};
