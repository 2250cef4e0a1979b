#include <string>

#include <gtest/gtest.h>

#include "account/AccountPatterns.h"
#include "account/WheelRule.h"

namespace sumberlaras {
namespace {

struct PatternCase {
    const char* text;
    bool valid;
};

class EmailExpression : public ::testing::TestWithParam<PatternCase> {};

TEST_P(EmailExpression, MatchesOnlyWellFormedAddresses) {
    EXPECT_EQ(isValidEmail(GetParam().text), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, EmailExpression,
    ::testing::Values(
        PatternCase{"siti@sumberlaras.id", true},
        PatternCase{"Budi.Santoso+buku@mail.perpustakaan.go.id", true},
        PatternCase{"o'brien_{x}@example.com", true},
        PatternCase{"\"siti rahayu\"@sumberlaras.id", true},
        PatternCase{R"("a\"b"@sumberlaras.id)", true},
        PatternCase{"\"unterminated@sumberlaras.id", false},
        PatternCase{"siti@[192.168.10.1]", true}, PatternCase{"siti@[256.1.1.1]", false},
        PatternCase{"siti@[1.2.3]", false}, PatternCase{"siti@[IPv6:2001:db8::1]", true},
        PatternCase{"Siti Rahayu <siti@sumberlaras.id>", true},
        PatternCase{"<siti@sumberlaras.id>", true}, PatternCase{"<siti@sumberlaras.id", false},
        PatternCase{"siti@sumberlaras.id>", false}, PatternCase{"siti@", false},
        PatternCase{"siti", false}, PatternCase{"@sumberlaras.id", false},
        PatternCase{"siti@localhost", false}, PatternCase{"siti@a.b", false},
        PatternCase{".siti@sumberlaras.id", false}, PatternCase{"siti..r@sumberlaras.id", false},
        PatternCase{"siti@-sumberlaras.id", false}, PatternCase{"siti@sumberlaras-.id", false},
        PatternCase{"s\xC3\xAFti@sumberlaras.id", false},
        PatternCase{"siti@sumber laras.id", false}, PatternCase{"", false}));

class PasswordExpression : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PasswordExpression, NeedsEightLettersAndDigitsWithOneOfEach) {
    EXPECT_EQ(isValidPassword(GetParam().text), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Passwords, PasswordExpression,
    ::testing::Values(PatternCase{"baca1234", true}, PatternCase{"BACA1234", true},
                      PatternCase{"1a2b3c4d5e6f", true}, PatternCase{"bacabuku", false},
                      PatternCase{"12345678", false}, PatternCase{"baca123", false},
                      PatternCase{"baca_1234", false}, PatternCase{"baca 1234", false},
                      PatternCase{"b\xC3\xA4"
                                  "ca1234",
                                  false},
                      PatternCase{"", false}));

TEST(EmailExpressionLimits, HostileLongInputIsRejectedWithoutHanging) {
    // Many words before a missing "@" make a backtracking engine work hard.
    std::string hostile;
    for (int i = 0; i < 4000; ++i)
        hostile += "a ";
    EXPECT_FALSE(isValidEmail(hostile + "\"x"));
    EXPECT_FALSE(isValidEmail(std::string(100000, 'a') + "@"));
}

struct WheelCase {
    int x, y, delta, lines;
};

class WheelOverBox : public ::testing::TestWithParam<WheelCase> {};

TEST_P(WheelOverBox, ScrollsOneLineOnlyStrictlyInside) {
    const BoxRect box{16, 99, 401, 326};
    const auto& c = GetParam();
    EXPECT_EQ(wheelLines(c.x, c.y, box, c.delta), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Points, WheelOverBox,
    ::testing::Values(WheelCase{100, 200, 120, -1}, WheelCase{100, 200, -120, 1},
                      WheelCase{16, 200, -120, 0}, WheelCase{417, 200, -120, 0},
                      WheelCase{100, 99, -120, 0}, WheelCase{100, 425, -120, 0},
                      WheelCase{500, 200, -120, 0}, WheelCase{100, 200, 0, 0}));

} // namespace
} // namespace sumberlaras
