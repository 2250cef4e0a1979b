#include "account/AccountAnswers.h"

#include "account/JsonText.h"

namespace sumberlaras {

namespace {

Json failureEnvelope(const std::string& message) {
    Json envelope = Json::object();
    envelope["code"] = "500";
    envelope["msg"] = message;
    return envelope;
}

} // namespace

Json registrationAnswer(const HttpResponse& response) {
    if (!response.ok)
        return failureEnvelope(response.error);
    if (response.body.empty())
        return failureEnvelope("Empty Response");
    Json answer = Json::parse(response.body, nullptr, false);
    if (answer.is_discarded() || !answer.is_object())
        return Json::object();
    return answer;
}

RegistrationVerdict judgeRegistration(const Json& answer) {
    auto code = answer.is_object() ? answer.find("code") : answer.end();
    if (!answer.is_object() || code == answer.end() || code->is_null())
        return {RegistrationOutcome::NoAnswer, kRegistrationNoAnswer};
    if (jsonText(answer, "code") == "200")
        return {RegistrationOutcome::Registered, kRegistrationSucceeded};
    return {RegistrationOutcome::Refused, jsonText(answer, "msg")};
}

ForgotPasswordVerdict judgeForgotPassword(const Json& answer) {
    if (jsonText(answer, "code") == "200")
        return {true, kResetMailSent};
    return {false, "Error : " + jsonText(answer, "msg")};
}

} // namespace sumberlaras
