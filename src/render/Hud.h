#pragma once

#include "core/Timer.h"
#include "core/Trackable.h"
#include "render/PlacedText.h"

#include <allegro5/allegro_font.h>
#include <cstdint>
#include <string>
#include <vector>

// The player's health and the units left, in the top left corner where the sword never
// comes, and for a couple of seconds a notice such as "Game saved". It draws text only,
// and nothing outside its own corner unless the player asks for captions (each sound
// named at the foot of the view as it starts) or the frame rate (top right).
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

    // The frame the HUD is drawn in.
    struct Frame {
        int32_t width = 600, height = 400;
        // Pixels at the frame's foot that another drawing holds (the open map's foot): the
        // caption stands above them.
        int32_t footTaken = 0;
        // False under a screen over play, where no frames of play are counted.
        bool rateShown = true;
    };
    // Where the lines stand: the corner's, kept to the corner, and the rest (the caption
    // at the foot, the frame rate at the top right).
    struct Layout {
        std::vector<PlacedText> corner;
        std::vector<PlacedText> beyond;
    };
    Layout layout(int32_t health, std::size_t unitsLeft, const Frame& frame) const;
    // Into the current target; nothing without a font. Each call counts a frame for the
    // frame rate.
    void draw(const ALLEGRO_FONT* font, int32_t health, std::size_t unitsLeft, const Frame& frame);

    // A sound's name, shown for CAPTION_MS when captions are on.
    void caption(const std::string& text);
    // The caption shown now, or an empty one.
    std::string currentCaption() const;
    // Frames drawn per second over the last whole second or so.
    double framesPerSecond() const { return measuredFps; }

    static constexpr double CAPTION_MS = 2000.0;
    bool captionsOn = false;
    bool fpsOn = false;
    // A bar beside the health, its length the share of maxHealth left.
    bool healthBar = false;
    int32_t maxHealth = 100;
    Timer noticeTimer;
    Timer captionTimer;

  private:
    void countFrame();
    void drawHealthBar(const ALLEGRO_FONT* font, int32_t health) const;
    static void drawLine(const ALLEGRO_FONT* font, const PlacedText& line);

    std::string notice;
    double noticeMs = NOTICE_MS;
    std::string captionText;
    Timer fpsTimer;
    int32_t framesCounted = -1; // -1: the count has not begun
    double measuredFps = 0.0;
};
