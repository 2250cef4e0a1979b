#include "reader/session/Documents.h"

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

StoredAnnotation readStoredAnnotation(const std::string& text, const std::string& idKonten) {
    Json parsed = Json::parse(text, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        return {emptyDocument(idKonten), true};
    }
    const auto data = parsed.find("data");
    if (data == parsed.end() || !data->is_array())
        return {emptyDocument(idKonten), true};
    return {std::move(parsed), false};
}

} // namespace sumberlaras::reader
