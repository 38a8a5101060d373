#include "io/ConfigText.h"

#include <algorithm>
#include <allegro5/allegro_memfile.h>

ALLEGRO_CONFIG* ConfigText::parse(const std::string& text) {
    if (text.empty()) {
        return al_create_config();
    }
    std::string copy = text; // the memory file reads from memory it may own
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
