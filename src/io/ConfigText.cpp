#include "io/ConfigText.h"

#include <algorithm>
#include <allegro5/allegro_memfile.h>

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0 when it is not one
// (a stray continuation byte, an overlong form, a surrogate, past U+10FFFF, cut short).
std::size_t sequenceAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    const auto follows = [&](std::size_t i, unsigned low, unsigned high) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return follows(1, 0x80, 0xBF) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : 0xBF;
        return follows(1, low, high) && follows(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        return follows(1, low, high) && follows(2, 0x80, 0xBF) && follows(3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::string ConfigText::wellFormed(const std::string& text) {
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceAt(text, at);
        clean += length == 0 ? std::string("?") : text.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return clean;
}

ALLEGRO_CONFIG* ConfigText::parse(const std::string& text) {
    if (text.empty()) {
        return al_create_config();
    }
    // Allegro's reader walks its text as UTF-8 and can loop for ever on a byte that is
    // not; such bytes are question marks before it sees them.
    std::string copy = wellFormed(text); // the memory file reads from memory it may own
    ALLEGRO_FILE* file = al_open_memfile(&copy[0], static_cast<int64_t>(copy.size()), "r");
    if (file == nullptr) {
        return nullptr;
    }
    ALLEGRO_CONFIG* config = al_load_config_file_f(file);
    al_fclose(file);
    return config;
}

std::string ConfigText::write(const ALLEGRO_CONFIG* config, std::size_t limit) {
    std::string text(limit, '\0');
    ALLEGRO_FILE* file = al_open_memfile(&text[0], static_cast<int64_t>(text.size()), "w");
    if (file == nullptr) {
        return "";
    }
    al_save_config_file_f(file, config);
    text.resize(static_cast<std::size_t>(std::max<int64_t>(al_ftell(file), 0)));
    al_fclose(file);
    return text;
}

std::string ConfigText::value(const ALLEGRO_CONFIG* config, const char* section, const char* key) {
    const char* text = al_get_config_value(config, section, key);
    return text != nullptr ? text : "";
}
