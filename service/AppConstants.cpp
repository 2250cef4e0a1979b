#include "service/AppConstants.h"

namespace sumberlaras {

const std::string& builtInServiceUrl() {
    static const std::string value = SUMBERLARAS_SERVICE_URL;
    return value;
}
const std::string& clientId() {
    static const std::string value = SUMBERLARAS_CLIENT_ID;
    return value;
}
const std::string& appCode() {
    static const std::string value = SUMBERLARAS_APP_CODE;
    return value;
}
const std::string& appVersion() {
    static const std::string value = SUMBERLARAS_APP_VERSION;
    return value;
}

} // namespace sumberlaras
