// The window's events of one wait, folded into what holds after them.
#include "game/WindowEvents.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace {

WindowEvents fold(std::initializer_list<ALLEGRO_EVENT_TYPE> types) {
    WindowEvents news;
    for (ALLEGRO_EVENT_TYPE type : types) {
        news.note(type);
    }
    return news;
}

TEST(WindowEventsTest, OfTheFocusLeavingAndComingBackTheLaterHolds) {
    const WindowEvents away =
        fold({ALLEGRO_EVENT_DISPLAY_SWITCH_OUT, ALLEGRO_EVENT_DISPLAY_SWITCH_IN,
              ALLEGRO_EVENT_DISPLAY_SWITCH_OUT});
    EXPECT_TRUE(away.focusLost);
    EXPECT_FALSE(away.focusGained);
    const WindowEvents back =
        fold({ALLEGRO_EVENT_DISPLAY_SWITCH_IN, ALLEGRO_EVENT_DISPLAY_SWITCH_OUT,
              ALLEGRO_EVENT_DISPLAY_SWITCH_IN});
    EXPECT_TRUE(back.focusGained);
    EXPECT_FALSE(back.focusLost);
    EXPECT_FALSE(back.closeRequested);
}

TEST(WindowEventsTest, TheCloseButtonStaysPressedWhateverFollows) {
    const WindowEvents news = fold({ALLEGRO_EVENT_DISPLAY_CLOSE, ALLEGRO_EVENT_DISPLAY_SWITCH_IN,
                                    ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_EVENT_DISPLAY_RESIZE});
    EXPECT_TRUE(news.closeRequested);
    EXPECT_TRUE(news.focusGained);
}

} // namespace
