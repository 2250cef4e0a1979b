#pragma once

#include <string>

#include "base/JsonSlot.h"

namespace sumberlaras {

// A member read as text: strings as they are, numbers and booleans in JSON
// notation, absent or null as empty text.
inline std::string jsonText(const Json& object, const char* member) {
    if (!object.is_object())
        return {};
    auto it = object.find(member);
    if (it == object.end() || it->is_null())
        return {};
    if (it->is_string())
        return it->get<std::string>();
    return it->dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace sumberlaras
