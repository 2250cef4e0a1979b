#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/JsonSlot.h"

namespace sumberlaras::testing {

// Signs in to a running stand-in and asks it for catalogue answers, the way
// the client does, so pages can be shown with the service's own data.
class StandinAnswers {
public:
    StandinAnswers(std::string baseUrl, std::string caFile);

    // Signs in with a demo account; false when the service refused.
    bool login(const std::string& user, const std::string& password);
    Json get(const std::string& path);
    Json post(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& form);

private:
    Json send(const std::string& method, const std::string& path, const std::string& body);

    std::string baseUrl_, caFile_;
    std::string uuid_ = "pages-test-device";
    std::string token_, userId_, level_;
};

} // namespace sumberlaras::testing
