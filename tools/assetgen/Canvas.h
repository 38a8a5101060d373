#pragma once

#include <string>
#include <vector>

// A colour with straight (not premultiplied) alpha, components in [0, 1].
struct Rgba {
    double r = 0.0, g = 0.0, b = 0.0, a = 1.0;
};

Rgba mixColour(const Rgba& a, const Rgba& b, double t);
Rgba scaleColour(const Rgba& c, double factor);

// An RGBA picture painted pixel by pixel and written out as a PNG file.
class Canvas {
  public:
    Canvas(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    Rgba& at(int x, int y) { return pixels[y * w + x]; }
    const Rgba& at(int x, int y) const { return pixels[y * w + x]; }
    // Paints c over what is there, by its alpha.
    void blend(int x, int y, const Rgba& c);
    // Writes the picture as a PNG through Allegro's image add-on; false on failure.
    bool savePng(const std::string& path) const;

  private:
    int w, h;
    std::vector<Rgba> pixels;
};
