#pragma once

#include "core/Timer.h"
#include "core/Trackable.h"

#include <allegro5/allegro_font.h>
#include <cstdint>
#include <string>
#include <vector>

// The player's health and the units left, in the top left corner where the sword never
// comes, and for a couple of seconds a notice such as "Game saved". It draws text only,
// and nothing outside its own corner.
class Hud : public Trackable {
  public:
    static constexpr double NOTICE_MS = 2000.0;
    // The corner the HUD draws in: x, y, width and height in pixels.
    static constexpr int LEFT = 0, TOP = 0, WIDTH = 480, HEIGHT = 60;

    // The HUD's bone-white ink, which the pause screen writes in too.
    static ALLEGRO_COLOR ink() { return al_map_rgb(236, 226, 196); }

    // Shows the notice from now on, for the given time.
    void notify(const std::string& text, double forMs = NOTICE_MS);
    // What the HUD says now, line by line.
    std::vector<std::string> lines(int32_t health, std::size_t unitsLeft) const;
    // Into the current target; nothing without a font.
    void draw(const ALLEGRO_FONT* font, int32_t health, std::size_t unitsLeft) const;

    Timer noticeTimer;

  private:
    std::string notice;
    double noticeMs = NOTICE_MS;
};
