#include <gtest/gtest.h>

#include "standin/Form.h"

namespace standin {
namespace {

TEST(FormTest, DecodesPairsAsAnHtmlFormSendsThem) {
    struct Case {
        const char* text;
        FormFields fields;
    };
    const std::vector<Case> cases = {
        {"user=siti%40sumberlaras.id&pass=a+b%2Bc",
         {{"user", "siti@sumberlaras.id"}, {"pass", "a b+c"}}},
        {"keyword=1=1&page=2", {{"keyword", "1=1"}, {"page", "2"}}},
        {"keyword=100%_&x=%zz%4", {{"keyword", "100%_"}, {"x", "%zz%4"}}},
        {"a=&&b", {{"a", ""}, {"b", ""}}},
        {"", {}},
        {"kalimat=%E2%80%9Cok%E2%80%9D", {{"kalimat", "\xE2\x80\x9Cok\xE2\x80\x9D"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseForm(c.text), c.fields) << c.text;
    }
    const FormFields fields = parseForm("a=1&a=2");
    ASSERT_NE(findField(fields, "a"), nullptr);
    EXPECT_EQ(*findField(fields, "a"), "1");
    EXPECT_EQ(findField(fields, "b"), nullptr);
}

} // namespace
} // namespace standin
