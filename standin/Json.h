#pragma once

#include <nlohmann/json.hpp>

namespace standin {
using Json = nlohmann::ordered_json;
}
