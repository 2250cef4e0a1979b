#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "service/HttpTransport.h"

namespace sumberlaras {

enum class RegionLevel { Provinsi, Kota, Kecamatan, Kelurahan };

// One level's answer: names in answer order and name -> identifier.
struct RegionList {
    std::vector<std::string> names;
    std::map<std::string, std::string> ids;

    // Empty when the name is not in the list.
    std::string idOf(const std::string& name) const;
};

struct RegionAnswer {
    bool ok = false;
    std::string error; // description when !ok
    RegionList list;   // empty when !ok
};

// GET of one level; the parent identifier is percent-encoded as a path segment.
HttpRequest regionListRequest(const std::string& baseUrl, RegionLevel level,
                              const std::string& parentId);

// Reads "data": [{"id", "nama"}, ...]. A repeated name, a malformed or
// non-object answer, or a failed transfer is an error; an empty "data" is not.
RegionAnswer parseRegionAnswer(const HttpResponse& response);

// The names as the window lists them: case-insensitively sorted, stable.
std::vector<std::string> sortedRegionNames(std::vector<std::string> names);

// The text put before an error of this level in the error box.
std::string regionErrorPrefix(RegionLevel level);

} // namespace sumberlaras
