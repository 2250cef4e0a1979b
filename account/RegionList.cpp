#include "account/RegionList.h"

#include <algorithm>
#include <cctype>

#include "account/JsonText.h"

namespace sumberlaras {

namespace {

std::string encodePathSegment(const std::string& text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

const char* levelPath(RegionLevel level) {
    switch (level) {
    case RegionLevel::Provinsi:
        return "/api/generic/provinsi";
    case RegionLevel::Kota:
        return "/api/generic/kota/";
    case RegionLevel::Kecamatan:
        return "/api/generic/kecamatan/";
    case RegionLevel::Kelurahan:
        return "/api/generic/kelurahan/";
    }
    return "";
}

RegionAnswer failure(std::string error) {
    RegionAnswer answer;
    answer.error = std::move(error);
    return answer;
}

} // namespace

std::string RegionList::idOf(const std::string& name) const {
    auto it = ids.find(name);
    return it == ids.end() ? std::string() : it->second;
}

HttpRequest regionListRequest(const std::string& baseUrl, RegionLevel level,
                              const std::string& parentId) {
    HttpRequest request;
    request.method = "GET";
    request.url = baseUrl + levelPath(level);
    if (level != RegionLevel::Provinsi)
        request.url += encodePathSegment(parentId);
    return request;
}

RegionAnswer parseRegionAnswer(const HttpResponse& response) {
    if (!response.ok)
        return failure(response.error.empty() ? "request failed" : response.error);
    const Json answer = Json::parse(response.body, nullptr, false);
    if (answer.is_discarded())
        return failure("answer is not valid JSON");
    if (!answer.is_object())
        return failure("answer is not a JSON object");
    auto data = answer.find("data");
    if (data == answer.end() || !data->is_array())
        return failure("answer has no region list");

    RegionAnswer result;
    for (const auto& entry : *data) {
        if (!entry.is_object())
            return failure("region entry is not a JSON object");
        std::string name = jsonText(entry, "nama");
        std::string id = jsonText(entry, "id");
        if (!result.list.ids.emplace(name, id).second)
            return failure("duplicate region name: " + name);
        result.list.names.push_back(std::move(name));
    }
    result.ok = true;
    return result;
}

std::vector<std::string> sortedRegionNames(std::vector<std::string> names) {
    auto lower = [](const std::string& s) {
        std::string out = s;
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    };
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return lower(a) < lower(b);
    });
    return names;
}

std::string regionErrorPrefix(RegionLevel level) {
    return level == RegionLevel::Provinsi ? "Request Error #408: " : "Request Error : ";
}

} // namespace sumberlaras
