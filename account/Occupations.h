#pragma once

#include <string>
#include <vector>

#include "base/JsonSlot.h"

namespace sumberlaras {

// "data"."daftar_pekerjaan" of the partner configuration, split at every ";"
// with empty pieces kept. No configuration, or no text there, gives no entries.
std::vector<std::string> occupationsOf(const Json* clientJson);

std::vector<std::string> splitOccupations(const std::string& text);

} // namespace sumberlaras
