#include <gtest/gtest.h>

#include "service/HttpTransport.h"

using sumberlaras::formEncode;
using sumberlaras::HeaderList;

namespace {

struct EncodeCase {
    const char* label;
    HeaderList fields;
    const char* expected;
};
void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << c.label;
}

class FormEncode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(FormEncode, EncodesAsAnHtmlFormWould) {
    EXPECT_EQ(formEncode(GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormEncode,
    ::testing::Values(
        EncodeCase{"order_kept", {{"page", "3"}, {"limit", "10"}}, "page=3&limit=10"},
        EncodeCase{"ampersand_and_equals", {{"keyword", "a&b=c"}}, "keyword=a%26b%3Dc"},
        EncodeCase{"plus_and_space", {{"pass", "1 + 1"}}, "pass=1+%2B+1"},
        EncodeCase{"at_sign", {{"user", "siti@sumberlaras.id"}}, "user=siti%40sumberlaras.id"},
        EncodeCase{"unreserved_untouched", {{"k", "Az09-_.*"}}, "k=Az09-_.*"},
        EncodeCase{"non_ascii_as_utf8_bytes", {{"judul", "Ilmu Bumi é"}}, "judul=Ilmu+Bumi+%C3%A9"},
        EncodeCase{"line_break_and_percent", {{"k", "50%\r\n"}}, "k=50%25%0D%0A"},
        EncodeCase{"empty_value", {{"a", ""}, {"b", "x"}}, "a=&b=x"},
        EncodeCase{"nothing", {}, ""}),
    [](const auto& tp) { return std::string(tp.param.label); });

} // namespace
