#include <gtest/gtest.h>

#include "account/AccountAnswers.h"

namespace sumberlaras {
namespace {

struct RegistrationCase {
    bool transportOk;
    const char* body;
    const char* error;
    RegistrationOutcome outcome;
    const char* message;
};

class RegistrationCompletion : public ::testing::TestWithParam<RegistrationCase> {};

TEST_P(RegistrationCompletion, OneOfThreeOutcomes) {
    const auto& c = GetParam();
    HttpResponse r;
    r.ok = c.transportOk;
    r.body = c.body;
    r.error = c.error;
    const RegistrationVerdict v = judgeRegistration(registrationAnswer(r));
    EXPECT_EQ(v.outcome, c.outcome);
    EXPECT_EQ(v.message, c.message);
}

using O = RegistrationOutcome;
INSTANTIATE_TEST_SUITE_P(
    Answers, RegistrationCompletion,
    ::testing::Values(
        RegistrationCase{true, R"({"code":"200","msg":"ok"})", "", O::Registered,
                         kRegistrationSucceeded},
        RegistrationCase{true, R"({"code":200})", "", O::Registered, kRegistrationSucceeded},
        RegistrationCase{true, R"({"code":"400","msg":"E-mail sudah terdaftar"})", "", O::Refused,
                         "E-mail sudah terdaftar"},
        RegistrationCase{false, "", "Connection refused\n\"x\"", O::Refused,
                         "Connection refused\n\"x\""},
        RegistrationCase{true, "", "", O::Refused, "Empty Response"},
        RegistrationCase{true, R"({"msg":"no code"})", "", O::NoAnswer, kRegistrationNoAnswer},
        RegistrationCase{true, R"({"code":null})", "", O::NoAnswer, kRegistrationNoAnswer},
        RegistrationCase{true, "[1,2]", "", O::NoAnswer, kRegistrationNoAnswer},
        RegistrationCase{true, "<html>oops</html>", "", O::NoAnswer, kRegistrationNoAnswer},
        RegistrationCase{true, R"({"code":"2)", "", O::NoAnswer, kRegistrationNoAnswer}));

TEST(ForgotPasswordCompletion, SuccessOrErrorWithTheMessage) {
    const std::pair<const char*, ForgotPasswordVerdict> cases[] = {
        {R"({"code":"200","msg":"ok"})", {true, kResetMailSent}},
        {R"({"code":200})", {true, kResetMailSent}},
        {R"({"code":"404","msg":"E-mail tidak terdaftar"})",
         {false, "Error : E-mail tidak terdaftar"}},
        {R"({"code":"500","msg":"Could not connect"})", {false, "Error : Could not connect"}},
        {R"({})", {false, "Error : "}},
        {R"([])", {false, "Error : "}}};
    for (const auto& [body, expected] : cases) {
        const ForgotPasswordVerdict v = judgeForgotPassword(Json::parse(body));
        EXPECT_EQ(v.sent, expected.sent) << body;
        EXPECT_EQ(v.message, expected.message) << body;
    }
}

} // namespace
} // namespace sumberlaras
