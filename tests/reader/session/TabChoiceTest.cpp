#include "reader/session/TabChoice.h"

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

TEST(TabChoice, FirstFreeOfThree) {
    const struct {
        std::array<bool, kTabCount> taken;
        int chosen;
    } cases[] = {
        {{false, false, false}, 0}, {{true, false, false}, 1}, {{true, false, true}, 1},
        {{true, true, false}, 2},   {{false, true, true}, 0},  {{true, true, true}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.taken[0] << c.taken[1] << c.taken[2] << " -> " << c.chosen);
        EXPECT_EQ(chooseTab(c.taken), c.chosen);
    }
}

TEST(TabChoice, NamesAndIndicesMatch) {
    const char* names[] = {"TabSheet1", "TabSheet2", "TabSheet3"};
    for (int i = 0; i < kTabCount; ++i) {
        EXPECT_EQ(tabName(i), names[i]);
        EXPECT_EQ(tabIndex(names[i]), i);
    }
}

TEST(TabChoice, UnknownNamesHaveNoIndex) {
    for (const char* name : {"", "TabSheet0", "TabSheet4", "tabsheet1", "TabSheet", "TabSheet01",
                             "TabSheet1 ", "TabSheet1_TimerIdle"}) {
        EXPECT_EQ(tabIndex(name), -1) << '"' << name << '"';
    }
}

} // namespace
} // namespace sumberlaras::reader
