#pragma once

#include <string>

namespace sumberlaras {

// Constants of the build (CMake cache variables).
const std::string& builtInServiceUrl(); // SUMBERLARAS_SERVICE_URL at build time
const std::string& clientId();          // the partner's client number
const std::string& appCode();           // also names the data folder
const std::string& appVersion();        // decimal text sent to the version check

} // namespace sumberlaras
