#include <regex>

#include <gtest/gtest.h>

#include "service/DeviceId.h"

using namespace sumberlaras;

namespace {

struct SerialCase {
    uint32_t serial;
    const char* expected;
};
void PrintTo(const SerialCase& c, std::ostream* os) {
    *os << c.expected;
}

class VolumeSerialFormat : public ::testing::TestWithParam<SerialCase> {};

TEST_P(VolumeSerialFormat, EightUpperCaseHexDigits) {
    EXPECT_EQ(formatVolumeSerial(GetParam().serial), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, VolumeSerialFormat,
                         ::testing::Values(SerialCase{0, "00000000"}, SerialCase{0xABC, "00000ABC"},
                                           SerialCase{0x1a2b3c4d, "1A2B3C4D"},
                                           SerialCase{0xFFFFFFFF, "FFFFFFFF"}));

TEST(DeviceIdentifier, StableAndWellFormed) {
    const std::string first = deviceIdentifier();
    EXPECT_TRUE(std::regex_match(first, std::regex("[0-9A-F]{8}"))) << first;
    EXPECT_EQ(deviceIdentifier(), first);
}

} // namespace
