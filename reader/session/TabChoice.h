#pragma once

#include <array>
#include <string>

namespace sumberlaras::reader {

constexpr int kTabCount = 3;

// "TabSheet1" for index 0, the key of the tab's records.
std::string tabName(int index);
// The index of "TabSheet<n>", or -1.
int tabIndex(const std::string& name);

// The first tab that holds no book, or -1 when all are taken.
int chooseTab(const std::array<bool, kTabCount>& taken);

} // namespace sumberlaras::reader
