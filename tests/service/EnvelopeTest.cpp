#include <gtest/gtest.h>

#include "service/AnswerText.h"
#include "service/Envelope.h"

using namespace sumberlaras;

namespace {

HttpResponse answered(std::string body, std::string contentType = "application/json") {
    HttpResponse r;
    r.ok = true;
    r.status = 200;
    r.body = std::move(body);
    r.contentType = std::move(contentType);
    return r;
}

HttpResponse failed(std::string error) {
    HttpResponse r;
    r.error = std::move(error);
    return r;
}

struct AnswerCase {
    const char* label;
    HttpResponse response;
    const char* expectedCode;
    const char* msgStartsWith;
};
void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << c.label;
}

class AnswerObject : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerObject, AlwaysAnObjectWithATextCode) {
    const auto& c = GetParam();
    bool fromService = true;
    const Json answer = answerObject(c.response, "#410 ", &fromService);
    ASSERT_TRUE(answer.is_object());
    // Only the service's own object says so; an envelope made here does not.
    EXPECT_EQ(fromService, std::string(c.msgStartsWith).rfind("#410 ", 0) != 0);
    EXPECT_EQ(answerCode(answer), c.expectedCode);
    EXPECT_EQ(readText(answer, "msg").rfind(c.msgStartsWith, 0), 0u) << readText(answer, "msg");
    EXPECT_TRUE(Json::accept(answer.dump())); // serialises and reads back
}

INSTANTIATE_TEST_SUITE_P(
    Values, AnswerObject,
    ::testing::Values(
        AnswerCase{"object", answered(R"({"code":"200","msg":"ok"})"), "200", "ok"},
        AnswerCase{"numeric_code", answered(R"({"code":200,"msg":""})"), "200", ""},
        AnswerCase{"service_failure_kept", answered(R"({"code":"500","msg":"Auth Failed"})"), "500",
                   "Auth Failed"},
        AnswerCase{"empty", answered(""), "500", "#410 The service sent an empty answer"},
        AnswerCase{"blank", answered(" \r\n"), "500", "#410 The service sent an empty answer"},
        AnswerCase{"array", answered("[1,2]"), "500", "#410 The service sent a JSON array"},
        AnswerCase{"string", answered("\"x\""), "500", "#410 The service sent a JSON string"},
        AnswerCase{"html", answered("<html><body>502</body></html>", "text/html"), "500",
                   "#410 The service sent an HTML page"},
        AnswerCase{"broken", answered(R"({"code":"200",)"), "500",
                   "#410 The service sent an answer that is not valid JSON"},
        AnswerCase{"transport_failure", failed("Connection refused"), "500",
                   "#410 Connection refused"},
        AnswerCase{"latin1_declared",
                   answered("{\"msg\":\"caf\xE9\",\"code\":\"200\"}",
                            "application/json; charset=ISO-8859-1"),
                   "200", "caf\xC3\xA9"},
        AnswerCase{"undeclared_not_utf8", answered("{\"msg\":\"caf\xE9\",\"code\":\"200\"}", ""),
                   "200", "caf\xC3\xA9"},
        AnswerCase{"bom", answered("\xEF\xBB\xBF{\"code\":\"200\",\"msg\":\"\"}"), "200", ""}),
    [](const auto& tp) { return std::string(tp.param.label); });

TEST(FailureEnvelope, DescriptionWithQuotesAndLineBreaksParses) {
    const std::string description = "Failed: \"peer\" said\r\nno \\ more\t";
    const Json envelope = failureEnvelope(" #387 ", description);
    const Json back = Json::parse(envelope.dump());
    EXPECT_EQ(back["code"], "500");
    EXPECT_EQ(back["msg"], " #387 " + description);
}

TEST(FailureEnvelope, InvalidUtf8InDescriptionStillSerialises) {
    const Json envelope = failureEnvelope("", "bad \xFF byte");
    EXPECT_NO_THROW((void)envelope.dump());
}

struct TextCase {
    const char* label;
    const char* json;
    const char* expected;
};
void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.label;
}

class ReadText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReadText, ReadsMembersAsText) {
    EXPECT_EQ(readText(Json::parse(GetParam().json), "v"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadText,
                         ::testing::Values(TextCase{"string", R"({"v":"200"})", "200"},
                                           TextCase{"integer", R"({"v":200})", "200"},
                                           TextCase{"negative", R"({"v":-3})", "-3"},
                                           TextCase{"whole_float", R"({"v":200.0})", "200"},
                                           TextCase{"fraction", R"({"v":4.5})", "4.5"},
                                           TextCase{"boolean", R"({"v":true})", "true"},
                                           TextCase{"null", R"({"v":null})", ""},
                                           TextCase{"absent", R"({"w":"x"})", ""},
                                           TextCase{"array_member", R"({"v":[1]})", ""},
                                           TextCase{"not_an_object", R"([1])", ""}),
                         [](const auto& tp) { return std::string(tp.param.label); });

} // namespace
