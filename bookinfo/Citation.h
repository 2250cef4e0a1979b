#pragma once

#include <array>
#include <string>

#include "reader/session/Book.h"

namespace sumberlaras::bookinfo {

// The six ready-made citation styles, in the order of the window's buttons.
enum class CitationStyle { MLA, CHG, TRB, APA, HRV, IEE };
inline constexpr std::array<CitationStyle, 6> kCitationStyles = {
    CitationStyle::MLA, CitationStyle::CHG, CitationStyle::TRB,
    CitationStyle::APA, CitationStyle::HRV, CitationStyle::IEE};

// The style's caption, as the windows that offer it name it.
const char* styleCaption(CitationStyle style);

// The book's text for the style; "N/A" where the service has none.
const std::string& citationOf(const reader::TDetailBook& book, CitationStyle style);
bool citationAvailable(const std::string& citation);

// The six values of the window, each after two spaces: title, author,
// publisher, ISBN, year, category.
std::array<std::string, 6> infoPanelValues(const reader::TDetailBook& book);

// The citation file's bytes: the citation in UTF-8 and one CR LF.
std::string citationFileContent(const std::string& citation);
// Creates or replaces the file; throws std::runtime_error with the reason.
void writeCitationFile(const std::string& path, const std::string& citation);

} // namespace sumberlaras::bookinfo
