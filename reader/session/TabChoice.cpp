#include "reader/session/TabChoice.h"

namespace sumberlaras::reader {

std::string tabName(int index) {
    return "TabSheet" + std::to_string(index + 1);
}

int tabIndex(const std::string& name) {
    for (int i = 0; i < kTabCount; ++i)
        if (name == tabName(i))
            return i;
    return -1;
}

int chooseTab(const std::array<bool, kTabCount>& taken) {
    for (int i = 0; i < kTabCount; ++i)
        if (!taken[i])
            return i;
    return -1;
}

} // namespace sumberlaras::reader
