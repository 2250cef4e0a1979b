#include <gtest/gtest.h>

#include "service/StyleSheetPatch.h"

using sumberlaras::patchStyleSheet;

namespace {

struct PatchCase {
    const char* label;
    const char* sheet;
    const char* expected;
};
void PrintTo(const PatchCase& c, std::ostream* os) {
    *os << c.label;
}

class StyleSheetPatch : public ::testing::TestWithParam<PatchCase> {};

TEST_P(StyleSheetPatch, ReplacesUpperCaseMarkersLineByLine) {
    EXPECT_EQ(patchStyleSheet(GetParam().sheet, "#123456", "#abcdef"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StyleSheetPatch,
    ::testing::Values(
        PatchCase{"no_marker_unchanged", ".a { color: red; }\n.b {}\n",
                  ".a { color: red; }\n.b {}\n"},
        PatchCase{"button", ".btn { background: [WARNA_BUTTON_LOGIN]; }\n",
                  ".btn { background: #123456; }\n"},
        PatchCase{"hover", ".btn:hover { background: [WARNA_HOVER_BUTTON_LOGIN]; }",
                  ".btn:hover { background: #abcdef; }"},
        PatchCase{"twice_on_one_line", "a{b:[WARNA_BUTTON_LOGIN];c:[WARNA_BUTTON_LOGIN]}",
                  "a{b:#123456;c:#123456}"},
        PatchCase{"both_on_one_line", "[WARNA_BUTTON_LOGIN] [WARNA_HOVER_BUTTON_LOGIN]",
                  "#123456 #abcdef"},
        PatchCase{"lower_case_marker_passes_test_but_stays", "a{b:[warna_button_login]}\n",
                  "a{b:[warna_button_login]}\n"},
        PatchCase{"mixed_case_line_only_exact_replaced",
                  "[Warna_Button_Login] [WARNA_BUTTON_LOGIN]", "[Warna_Button_Login] #123456"},
        PatchCase{"crlf_kept", "x{[WARNA_BUTTON_LOGIN]}\r\ny{}\r\n", "x{#123456}\r\ny{}\r\n"},
        PatchCase{"marker_split_across_lines_untouched", "[WARNA_BUTTON\n_LOGIN]",
                  "[WARNA_BUTTON\n_LOGIN]"},
        PatchCase{"empty", "", ""}),
    [](const auto& tp) { return std::string(tp.param.label); });

TEST(StyleSheetPatchValues, ReplacementTextIsNotSearchedAgain) {
    EXPECT_EQ(patchStyleSheet("[WARNA_BUTTON_LOGIN]", "[WARNA_BUTTON_LOGIN]x", ""),
              "[WARNA_BUTTON_LOGIN]x");
}

} // namespace
