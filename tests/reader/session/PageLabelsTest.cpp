#include "reader/session/PageLabels.h"

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

struct DisplayCase {
    int pageIndex;
    int32_t total;
    const char* text;
};

void PrintTo(const DisplayCase& c, std::ostream* os) {
    *os << c.pageIndex << "/" << c.total;
}

class PageDisplayText : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(PageDisplayText, ShownPageOverServiceTotal) {
    EXPECT_EQ(pageDisplayText(GetParam().pageIndex, GetParam().total), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageDisplayText,
                         ::testing::Values(DisplayCase{11, 240, "12/240"}, DisplayCase{0, 1, "1/1"},
                                           // The service's total, even below the shown page.
                                           DisplayCase{299, 240, "300/240"},
                                           DisplayCase{0, 0, "1/0"},
                                           DisplayCase{2147483647, 5, "2147483648/5"}));

struct RomanCase {
    int value;
    const char* text;
};

void PrintTo(const RomanCase& c, std::ostream* os) {
    *os << c.value;
}

class IntToRomanCases : public ::testing::TestWithParam<RomanCase> {};

TEST_P(IntToRomanCases, UpperCaseSubtractiveForm) {
    EXPECT_EQ(IntToRoman(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Numbers, IntToRomanCases,
                         ::testing::Values(RomanCase{0, ""}, RomanCase{-5, ""}, RomanCase{1, "I"},
                                           RomanCase{3, "III"}, RomanCase{4, "IV"},
                                           RomanCase{9, "IX"}, RomanCase{14, "XIV"},
                                           RomanCase{40, "XL"}, RomanCase{49, "XLIX"},
                                           RomanCase{90, "XC"}, RomanCase{400, "CD"},
                                           RomanCase{444, "CDXLIV"}, RomanCase{900, "CM"},
                                           RomanCase{1999, "MCMXCIX"}, RomanCase{3999, "MMMCMXCIX"},
                                           RomanCase{4000, "MMMM"}, RomanCase{5009, "MMMMMIX"}));

} // namespace
} // namespace sumberlaras::reader
