// Start-up reads the service's "code", "url" and "msg" as text, as every
// other answer is read: a number 200 is "200".
#include "tests/shell/ShellFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

struct NumericVerdict {
    const char* name;
    Standin::Json verdict;
    DialogAnswer answer;
    std::vector<std::string> dialogs;
    bool ends;
    bool update;
};

void PrintTo(const NumericVerdict& c, std::ostream* os) {
    *os << c.name;
}

class NumericVersionCheck : public ShellFixture,
                            public ::testing::WithParamInterface<NumericVerdict> {};

TEST_P(NumericVersionCheck, ReadsLikeText) {
    const auto& c = GetParam();
    standin.setVersion(c.verdict);
    dialogs.answerNext(c.answer);
    startSplash();
    EXPECT_EQ(dialogs.texts(), c.dialogs);
    EXPECT_EQ(splash->terminateRequested(), c.ends);
    EXPECT_EQ(splash->SignalUpdate(), c.update);
    if (c.update) {
        EXPECT_EQ(splash->UpdateURL(), "https://unduh.sumberlaras.id/v5");
    }
}

const char* const kOffer = "Update baru telah tersedia, download sekarang?";

INSTANTIATE_TEST_SUITE_P(
    Codes, NumericVersionCheck,
    ::testing::Values(NumericVerdict{"go", {{"code", 200}}, DialogAnswer::Ok, {}, false, false},
                      NumericVerdict{
                          "goAsFloat", {{"code", 200.0}}, DialogAnswer::Ok, {}, false, false},
                      NumericVerdict{"update",
                                     {{"code", 300}, {"url", "https://unduh.sumberlaras.id/v5"}},
                                     DialogAnswer::Ok,
                                     {kOffer},
                                     false,
                                     true},
                      NumericVerdict{"updateDeclined",
                                     {{"code", 300}, {"url", "https://unduh.sumberlaras.id/v5"}},
                                     DialogAnswer::Cancel,
                                     {kOffer},
                                     false,
                                     false},
                      NumericVerdict{"refused",
                                     {{"code", 403}, {"msg", "Versi ini tidak berlaku"}},
                                     DialogAnswer::Ok,
                                     {"Versi ini tidak berlaku"},
                                     true,
                                     false},
                      NumericVerdict{"refusedWithANumber",
                                     {{"code", 426}, {"msg", 426}},
                                     DialogAnswer::Ok,
                                     {"426"},
                                     true,
                                     false}),
    [](const auto& i) { return std::string(i.param.name); });

using PartnerAnswer = ShellFixture;

TEST_F(PartnerAnswer, ANumericCodeShowsTheLoginPage) {
    standin.setVersion({{"code", 200}});
    standin.failNext("/api/wl/mitra", "numeric");
    startAtLogin();
    const JsonPtr client = splash->SawiraLib()->FClientJson.get();
    ASSERT_TRUE(client);
    EXPECT_TRUE((*client)["code"].is_number()) << "the service's own number reached the window";
    EXPECT_TRUE(dialogs.texts().empty());
}

} // namespace
