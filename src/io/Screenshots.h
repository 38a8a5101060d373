#pragma once

#include <allegro5/allegro.h>
#include <string>

// The player's screenshots: PNG files in $XDG_DATA_HOME/duskmarch/screenshots
// (~/.local/share/... when that is unset or not absolute), named by the date and time,
// never written over an existing file or through a link.
class Screenshots {
  public:
    // The folder; empty when there is no home either.
    static std::string folder();

    // Saves the bitmap, making the folder first. True with the file's path in said; false
    // with the reason.
    static bool save(ALLEGRO_BITMAP* frame, std::string& said);
};
