#include "service/Envelope.h"

#include <cmath>

#include "service/AnswerText.h"

namespace sumberlaras {
namespace {

std::string describeNonObject(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "The service sent an empty answer";
    if (text[first] == '<')
        return "The service sent an HTML page instead of a JSON answer";
    return {};
}

std::string kindOf(const Json& value) {
    switch (value.type()) {
    case Json::value_t::array:
        return "a JSON array";
    case Json::value_t::string:
        return "a JSON string";
    case Json::value_t::null:
        return "JSON null";
    case Json::value_t::boolean:
        return "a JSON boolean";
    default:
        return "a JSON number";
    }
}

} // namespace

Json failureEnvelope(const std::string& prefix, const std::string& description) {
    Json envelope = Json::object();
    envelope["code"] = "500";
    const std::string msg = prefix + description;
    envelope["msg"] = isValidUtf8(msg) ? msg : latin1ToUtf8(msg);
    return envelope;
}

Json answerObject(const HttpResponse& response, const std::string& failurePrefix,
                  bool* fromService) {
    if (fromService)
        *fromService = false;
    if (!response.ok)
        return failureEnvelope(failurePrefix, response.error);
    const std::string text = answerTextAsUtf8(response.body, response.contentType);
    if (const std::string plain = describeNonObject(text); !plain.empty())
        return failureEnvelope(failurePrefix, plain);
    try {
        Json parsed = Json::parse(text);
        if (parsed.is_object()) {
            if (fromService)
                *fromService = true;
            return parsed;
        }
        return failureEnvelope(failurePrefix,
                               "The service sent " + kindOf(parsed) + " instead of a JSON object");
    } catch (const Json::exception&) {
        return failureEnvelope(failurePrefix, "The service sent an answer that is not valid JSON");
    }
}

std::string readText(const Json& object, const std::string& member) {
    if (!object.is_object())
        return {};
    const auto it = object.find(member);
    if (it == object.end())
        return {};
    const Json& value = *it;
    switch (value.type()) {
    case Json::value_t::string:
        return value.get<std::string>();
    case Json::value_t::number_integer:
        return std::to_string(value.get<long long>());
    case Json::value_t::number_unsigned:
        return std::to_string(value.get<unsigned long long>());
    case Json::value_t::number_float: {
        const double d = value.get<double>();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15)
            return std::to_string(static_cast<long long>(d));
        return value.dump();
    }
    case Json::value_t::boolean:
        return value.get<bool>() ? "true" : "false";
    default:
        return {};
    }
}

} // namespace sumberlaras
