#include "reader/session/StartPage.h"

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

struct StartCase {
    const char* name;
    int32_t pageIdx;
    int32_t pageToJump;
    StartKind kind;
    int32_t pageIfYes; // start page when the question (if any) is answered yes
    int32_t pageIfNo;
    bool searchJump;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class StartPageChoice : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartPageChoice, KindAndPageForEitherAnswer) {
    const StartCase& c = GetParam();
    EXPECT_EQ(startKind(c.pageIdx, c.pageToJump), c.kind);
    const StartPage yes = chooseStartPage(c.pageIdx, c.pageToJump, true);
    const StartPage no = chooseStartPage(c.pageIdx, c.pageToJump, false);
    EXPECT_EQ(yes.pageIndex, c.pageIfYes);
    EXPECT_EQ(no.pageIndex, c.pageIfNo);
    EXPECT_EQ(yes.searchJump, c.searchJump);
    EXPECT_EQ(no.searchJump, c.searchJump);
}

INSTANTIATE_TEST_SUITE_P(
    Books, StartPageChoice,
    ::testing::Values(StartCase{"NeverRead", 0, 0, StartKind::FirstPage, 0, 0, false},
                      StartCase{"StoppedAtSeven", 7, 0, StartKind::AskResume, 7, 0, false},
                      StartCase{"SearchJump", 0, 4, StartKind::SearchJump, 4, 4, true},
                      StartCase{"SearchJumpOverStoppedPage", 7, 4, StartKind::SearchJump, 4, 4,
                                true},
                      StartCase{"SearchJumpToLastStop", 7, 7, StartKind::SearchJump, 7, 7, true},
                      // A jump below 1 is no jump: the stopped page still asks.
                      StartCase{"NegativeJumpIsNoJump", 7, -1, StartKind::AskResume, 7, 0, false},
                      StartCase{"NegativeJumpNeverRead", 0, -1, StartKind::FirstPage, 0, 0, false},
                      StartCase{"NegativeStoppedPage", -3, 0, StartKind::FirstPage, 0, 0, false}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace sumberlaras::reader
