#pragma once

#include <string>

// The player's folders by the XDG base directory rules: a variable that is unset or not
// an absolute path is ignored, and the home folder's default is taken instead.
class BaseDirectories {
  public:
    // $XDG_CONFIG_HOME/duskmarch, or ~/.config/duskmarch; empty without a home either.
    static std::string config();
    // $XDG_DATA_HOME/duskmarch, or ~/.local/share/duskmarch; empty without a home either.
    static std::string data();
    // The folder with the home folder written "~", short enough for the HUD.
    static std::string shortened(const std::string& folder);
};
