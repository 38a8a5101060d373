#pragma once

#include <allegro5/allegro.h>
#include <cstddef>
#include <string>

// Allegro's configuration files to and from text held in memory, so that the game's
// readers bound what they read (RegularFile) before Allegro parses it, and write beside
// and rename into place.
class ConfigText {
  public:
    // The text with every byte that is not part of well-formed UTF-8 made a question mark.
    static std::string wellFormed(const std::string& text);
    // An empty configuration for empty text; null when Allegro cannot read it.
    static ALLEGRO_CONFIG* parse(const std::string& text);
    // The text of the configuration, which must fit in limit bytes.
    static std::string write(const ALLEGRO_CONFIG* config, std::size_t limit);
    // The value, or empty when there is none.
    static std::string value(const ALLEGRO_CONFIG* config, const char* section, const char* key);
};
