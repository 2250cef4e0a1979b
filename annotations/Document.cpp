#include "annotations/Document.h"

namespace sumberlaras::annotations {

double readNumber(const Json& object, const std::string& member) {
    if (!object.is_object())
        return 0;
    const auto it = object.find(member);
    return it != object.end() && it->is_number() ? it->get<double>() : 0;
}

std::string readString(const Json& object, const std::string& member) {
    if (!object.is_object())
        return {};
    const auto it = object.find(member);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

Json& arrayMember(Json& object, const std::string& member) {
    if (!object.is_object())
        object = Json::object();
    Json& value = object[member];
    if (!value.is_array())
        value = Json::array();
    return value;
}

Json& items(Json& document) {
    return arrayMember(document, "data");
}

void append(Json& document, Json item) {
    items(document).push_back(std::move(item));
}

bool deleteAt(Json& document, std::size_t position) {
    Json& all = items(document);
    if (position >= all.size())
        return false;
    all.erase(all.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

std::optional<std::size_t> hitTest(Json& document, const PageTransform& view, int x, int y) {
    const Json& all = items(document);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Json& item = all[i];
        if (static_cast<int>(readNumber(item, "page")) != view.PageIndex())
            continue;
        const Json point = item.is_object() && item.contains("point") ? item["point"] : Json();
        const DevicePoint p1 =
            view.PageToDevice(readNumber(point, "left"), readNumber(point, "top"));
        const DevicePoint p2 =
            view.PageToDevice(readNumber(point, "right"), readNumber(point, "bottom"));
        if (p1.x < x && x <= p2.x && p1.y < y && y <= p2.y)
            return i;
    }
    return std::nullopt;
}

} // namespace sumberlaras::annotations
