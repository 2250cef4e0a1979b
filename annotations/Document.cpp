#include "annotations/Document.h"

#include <cmath>
#include <limits>

namespace sumberlaras::annotations {

double readNumber(const Json& object, const std::string& member) {
    if (!object.is_object())
        return 0;
    const auto it = object.find(member);
    return it != object.end() && it->is_number() ? it->get<double>() : 0;
}

std::optional<int> readInt(const Json& object, const std::string& member) {
    const double value = std::trunc(readNumber(object, member));
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(value);
}

std::string readString(const Json& object, const std::string& member) {
    if (!object.is_object())
        return {};
    const auto it = object.find(member);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

const Json& memberOf(const Json& object, const std::string& member) {
    static const Json kAbsent;
    if (!object.is_object())
        return kAbsent;
    const auto it = object.find(member);
    return it != object.end() ? *it : kAbsent;
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

Json pageBox(const PageTransform& view, const DeviceRect& r) {
    const PagePoint a = view.DeviceToPage(r.left, r.top);
    const PagePoint b = view.DeviceToPage(r.right, r.bottom);
    return {{"left", a.x}, {"top", a.y}, {"right", b.x}, {"bottom", b.y}};
}

DeviceRect deviceBox(const PageTransform& view, const Json& box) {
    const DevicePoint a = view.PageToDevice(readNumber(box, "left"), readNumber(box, "top"));
    const DevicePoint b = view.PageToDevice(readNumber(box, "right"), readNumber(box, "bottom"));
    return {a.x, a.y, b.x, b.y};
}

namespace {

// An item as painting has read it: the arrays it reads are there.
Json asRead(const Json& item) {
    Json read = item;
    const std::string type = readString(read, "type");
    if (type == "HIGHLIGHT")
        arrayMember(read, "point_data");
    else if (type == "INK")
        arrayMember(read, "draw_data");
    return read;
}

} // namespace

bool sameItem(const Json& a, const Json& b) {
    if (a == b)
        return true;
    if (readString(a, "type") != readString(b, "type") ||
        readNumber(a, "page") != readNumber(b, "page") ||
        memberOf(a, "point") != memberOf(b, "point"))
        return false;
    return asRead(a) == asRead(b);
}

std::optional<std::size_t> findItem(Json& document, std::size_t position, const Json& item) {
    const Json& all = items(document);
    if (position < all.size() && sameItem(all[position], item))
        return position;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (sameItem(all[i], item))
            return i;
    return std::nullopt;
}

std::optional<std::size_t> hitTest(Json& document, const PageTransform& view, int x, int y) {
    const Json& all = items(document);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Json& item = all[i];
        if (readInt(item, "page") != view.PageIndex())
            continue;
        const DeviceRect r = deviceBox(view, memberOf(item, "point"));
        if (r.left < x && x <= r.right && r.top < y && y <= r.bottom)
            return i;
    }
    return std::nullopt;
}

} // namespace sumberlaras::annotations
