#include "pages/PageText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace sumberlaras::pages {

namespace {

const Json& emptyArray() {
    static const Json empty = Json::array();
    return empty;
}

const Json& emptyObject() {
    static const Json empty = Json::object();
    return empty;
}

const Json* member(const Json& object, std::string_view name) {
    if (!object.is_object())
        return nullptr;
    auto it = object.find(std::string(name));
    return it == object.end() ? nullptr : &*it;
}

bool isAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// An "&" that the HTML parser could read as the start of a character
// reference: "&#...", "&name;", or a name followed by anything but "=" or
// more letters (legacy references decode even without the ";").
bool startsReference(std::string_view value, size_t at) {
    size_t i = at + 1;
    if (i < value.size() && value[i] == '#')
        return true;
    const size_t nameStart = i;
    while (i < value.size() && isAlnum(value[i]))
        ++i;
    if (i == nameStart)
        return false;
    return i == value.size() || value[i] != '=';
}

} // namespace

std::string text(const Json& object, std::string_view name) {
    const Json* value = member(object, name);
    if (!value)
        return {};
    if (value->is_string())
        return value->get<std::string>();
    if (value->is_number_integer() || value->is_number_unsigned() || value->is_number_float() ||
        value->is_boolean())
        return value->dump();
    return {};
}

long long integer(const Json& object, std::string_view name) {
    const Json* value = member(object, name);
    if (!value)
        return 0;
    if (value->is_number_integer())
        return value->get<long long>();
    if (value->is_number_unsigned())
        return static_cast<long long>(value->get<unsigned long long>());
    if (value->is_number_float()) {
        // Towards zero; a number beyond long long (1e300) has no such reading.
        const double d = value->get<double>();
        constexpr double kLimit = 9223372036854775808.0; // 2^63
        return d >= -kLimit && d < kLimit ? static_cast<long long>(d) : 0;
    }
    if (value->is_string()) {
        const std::string s = trim(value->get<std::string>());
        long long out = 0;
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
        if (ec == std::errc() && end == s.data() + s.size())
            return out;
    }
    return 0;
}

std::string count(const Json& object, std::string_view name) {
    const Json* value = member(object, name);
    if (!value || value->is_null())
        return {}; // absent members stay empty text
    return std::to_string(integer(object, name));
}

namespace {

// "scheme://authority" in lower case; empty when there is none.
std::string origin(std::string_view url) {
    const size_t scheme = url.find("://");
    if (scheme == std::string_view::npos)
        return {};
    const size_t end = url.find_first_of("/?#\\", scheme + 3);
    std::string out(url.substr(0, end));
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (out.starts_with("https://") && out.ends_with(":443"))
        out.resize(out.size() - 4); // the default port, said or not
    return out;
}

} // namespace

std::string serviceAddress(std::string_view url, std::string_view base) {
    // Blanks and control characters are dropped by the browser before it reads
    // an address, so they could hide another host.
    if (url.empty() ||
        std::any_of(url.begin(), url.end(), [](unsigned char c) { return c <= 0x20 || c == 0x7f; }))
        return {};
    const std::string wanted = origin(base);
    if (wanted.rfind("https://", 0) != 0 || origin(url) != wanted)
        return {};
    return std::string(url);
}

const Json& items(const Json& object, std::string_view name) {
    const Json* value = member(object, name);
    return value && value->is_array() ? *value : emptyArray();
}

const Json& object(const Json& parent, std::string_view name) {
    const Json* value = member(parent, name);
    return value && value->is_object() ? *value : emptyObject();
}

std::string html(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

// One escaper for single-quoted script strings; inside an HTML attribute the
// double quote and an entity-like "&" must not reach the markup parser either.
std::string scriptEscape(std::string_view value, bool insideAttribute) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\'':
            out += "\\'";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '"':
            out += insideAttribute ? "\\x22" : "\"";
            break;
        case '&':
            out += insideAttribute && startsReference(value, i) ? "\\x26" : "&";
            break;
        default:
            // U+2028 and U+2029 end a script line too.
            if (static_cast<unsigned char>(c) == 0xE2 && i + 2 < value.size() &&
                static_cast<unsigned char>(value[i + 1]) == 0x80 &&
                (static_cast<unsigned char>(value[i + 2]) == 0xA8 ||
                 static_cast<unsigned char>(value[i + 2]) == 0xA9)) {
                out += static_cast<unsigned char>(value[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                out += c;
            }
        }
    }
    return out;
}

} // namespace

std::string jsArg(std::string_view value) {
    return scriptEscape(value, true);
}

std::string attr(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"')
            out += "&quot;";
        else if (c == '&' && startsReference(value, i))
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string jsString(std::string_view value) {
    return scriptEscape(value, false);
}

std::string trim(std::string_view value) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0;
    size_t end = value.size();
    while (begin < end && blank(value[begin]))
        ++begin;
    while (end > begin && blank(value[end - 1]))
        --end;
    return std::string(value.substr(begin, end - begin));
}

std::string withoutCrLf(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            ++i;
            continue;
        }
        out += value[i];
    }
    return out;
}

} // namespace sumberlaras::pages
