#pragma once

#include <string>

#include "account/RegistrationEntries.h"

namespace sumberlaras {

// The "data" part of the registration request: one compact JSON object whose
// members are all strings, in the order the service reads them.
std::string buildRegistrationRecord(const std::string& clientId, const RegistrationEntries& entries,
                                    const RegionIds& ids);

} // namespace sumberlaras
