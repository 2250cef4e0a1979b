#pragma once

#include <string>

#include "base/JsonSlot.h"
#include "service/HttpTransport.h"

namespace sumberlaras {

// {"code":"500","msg": prefix + description}; the description is made valid
// UTF-8 so the object always serialises.
Json failureEnvelope(const std::string& prefix, const std::string& description);

// The answer of one request as an object: the parsed body when it is a JSON
// object, otherwise a failure envelope that says what came back.
// `fromService`, when given, is set to whether the object is the service's own
// answer rather than a failure envelope made here.
Json answerObject(const HttpResponse& response, const std::string& failurePrefix,
                  bool* fromService = nullptr);

// A member read as text: strings as they are, numbers in decimal (200 and
// 200.0 read "200"), booleans as "true"/"false", absent or null as "".
std::string readText(const Json& object, const std::string& member);

// "code" of an answer, read as text.
inline std::string answerCode(const Json& answer) {
    return readText(answer, "code");
}

} // namespace sumberlaras
