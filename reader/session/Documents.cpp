#include "reader/session/Documents.h"

#include <string_view>

#include "reader/session/UnicodeText.h"

namespace sumberlaras::reader {

Json emptyDocument(const std::string& idKonten) {
    // Built, not parsed: an id that is not UTF-8 must reach serialiseDocument,
    // which replaces it, instead of throwing here.
    Json document = Json::object();
    document["id_konten"] = idKonten;
    document["data"] = Json::array();
    return document;
}

std::string serialiseDocument(const Json& document) {
    return document.dump(1, '\t', false, Json::error_handler_t::replace);
}

bool documentIsEmpty(const Json& document) {
    if (!document.is_object())
        return true;
    const auto data = document.find("data");
    return data == document.end() || !data->is_array() || data->empty();
}

std::string decodeStoredText(const std::string& bytes) {
    const auto startsWith = [&bytes](std::string_view mark) { return bytes.starts_with(mark); };
    if (startsWith("\xEF\xBB\xBF"))
        return bytes.substr(3);
    const bool little = startsWith("\xFF\xFE");
    if (!little && !startsWith("\xFE\xFF"))
        return bytes;
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        units.push_back(static_cast<char16_t>(hi << 8 | lo));
    }
    return utf8(units);
}

StoredAnnotation readStoredAnnotation(const std::string& text, const std::string& idKonten) {
    Json parsed = Json::parse(decodeStoredText(text), nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        return {emptyDocument(idKonten), true};
    }
    const auto data = parsed.find("data");
    if (data == parsed.end() || !data->is_array())
        return {emptyDocument(idKonten), true};
    return {std::move(parsed), false};
}

} // namespace sumberlaras::reader
