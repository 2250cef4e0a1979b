#include "annotations/ModeTable.h"

#include <gtest/gtest.h>

namespace sumberlaras::annotations {
namespace {

// The states as a word of six letters, one per mode: s(elect) h(ighlight)
// r(ect) p(en) t(ext note) d(elete), upper case when on.
std::string word(const ToolStates& s) {
    std::string w = "shrptd";
    const bool on[] = {s.CurrentTextSelectState, s.CurrentHighlightAnnotState,
                       s.CurrentRectAnnotState,  s.CurrentPenAnnotState,
                       s.CurrentTextAnnotState,  s.CurrentAnnotDeleteState};
    for (size_t i = 0; i < w.size(); ++i)
        if (on[i])
            w[i] = static_cast<char>(w[i] - 'a' + 'A');
    return w;
}

ToolStates allOn() {
    return {true, true, true, true, true, true};
}

struct ModeRow {
    const char* name;
    ToolButton button;
    bool ToolStates::*state;
    const char* onFromAll; // the states after turning the mode on with every other one on
    std::optional<bool> selectionWhenOn;
    bool overlayWhenOn;
    const char* offFromAll; // after turning it off from all on
    std::optional<bool> selectionWhenOff;
};

void PrintTo(const ModeRow& c, std::ostream* os) {
    *os << c.name;
}

class SwitchMode : public ::testing::TestWithParam<ModeRow> {};

TEST_P(SwitchMode, TurningOnSwitchesOffTheOthers) {
    const ModeRow& row = GetParam();
    ToolStates s = allOn();
    s.*row.state = false;
    const ModeEffect effect = switchMode(s, row.button);
    EXPECT_EQ(word(s), row.onFromAll);
    EXPECT_EQ(effect.allowTextSelection, row.selectionWhenOn);
    EXPECT_EQ(effect.showOverlay, row.overlayWhenOn);
}

TEST_P(SwitchMode, TurningOffTouchesNoOtherMode) {
    const ModeRow& row = GetParam();
    ToolStates s = allOn();
    const ModeEffect effect = switchMode(s, row.button);
    EXPECT_EQ(word(s), row.offFromAll);
    EXPECT_EQ(effect.allowTextSelection, row.selectionWhenOff);
    EXPECT_FALSE(effect.showOverlay);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, SwitchMode,
    ::testing::Values(ModeRow{"TextSelect", ToolButton::TextSelect,
                              &ToolStates::CurrentTextSelectState, "ShrptD", true, false, "sHRPTD",
                              false},
                      ModeRow{"Highlight", ToolButton::Highlight,
                              &ToolStates::CurrentHighlightAnnotState, "sHrptD", true, true,
                              "ShRPTD", false},
                      ModeRow{"Rect", ToolButton::Rect, &ToolStates::CurrentRectAnnotState,
                              "shRptD", false, true, "SHrPTD", false},
                      ModeRow{"Pen", ToolButton::Pen, &ToolStates::CurrentPenAnnotState, "shrPtD",
                              false, true, "SHRpTD", std::nullopt},
                      ModeRow{"Text", ToolButton::Text, &ToolStates::CurrentTextAnnotState,
                              "shrpTD", std::nullopt, true, "SHRPtD", std::nullopt},
                      ModeRow{"Delete", ToolButton::Delete, &ToolStates::CurrentAnnotDeleteState,
                              "shrptD", false, true, "SHRPTd", std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SwitchModeDelete, StaysOnUnderAnyOtherMode) {
    for (ToolButton button : {ToolButton::TextSelect, ToolButton::Highlight, ToolButton::Rect,
                              ToolButton::Pen, ToolButton::Text}) {
        SCOPED_TRACE(static_cast<int>(button));
        ToolStates s;
        s.CurrentAnnotDeleteState = true;
        switchMode(s, button);
        EXPECT_TRUE(s.CurrentAnnotDeleteState);
        switchMode(s, button);
        EXPECT_TRUE(s.CurrentAnnotDeleteState);
    }
}

TEST(TextSelectionAllowed, ByHighlightOrTextSelection) {
    const struct {
        ToolStates states;
        bool allowed;
    } cases[] = {
        {{}, false},
        {{true, false, false, false, false, false}, true},
        {{false, true, false, false, false, false}, true},
        {{false, false, true, true, true, true}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(word(c.states));
        EXPECT_EQ(textSelectionAllowed(c.states), c.allowed);
    }
}

} // namespace
} // namespace sumberlaras::annotations
