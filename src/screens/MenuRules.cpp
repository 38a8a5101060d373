#include "screens/MenuRules.h"

MenuRules::Action MenuRules::apply(const Keys& keys, int32_t& selected) {
    if (keys.escape) {
        return Action::Exit;
    }
    if (keys.up) {
        selected = selected - 1 < 0 ? ITEM_COUNT - 1 : selected - 1;
    } else if (keys.down) {
        selected = selected + 1 > ITEM_COUNT - 1 ? 0 : selected + 1;
    }
    if (!keys.enter) {
        return Action::None;
    }
    switch (selected) {
    case 0:
        return Action::Play;
    case 1:
        return Action::Load;
    case 2:
        return Action::Quit;
    default:
        return Action::None;
    }
}
