#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sumberlaras::pages {

// A page as a sequence of pieces; each piece is written followed by CR LF.
class PageText {
public:
    PageText& operator<<(std::string_view piece) {
        text_.append(piece);
        text_.append("\r\n");
        return *this;
    }
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

// The page file's path in the data folder.
std::string pagePath(const std::string& dataFolder, std::string_view fileName);
// The "file://" address of a path, made absolute, with unsafe characters percent-encoded.
std::string fileUrl(const std::string& path);

// Replaces the file with `text` (UTF-8, no byte-order mark); throws on failure.
void writePageFile(const std::string& path, const std::string& text);

// The lines of a page's text without their line breaks (LF or CR LF).
std::vector<std::string> splitPageLines(const std::string& text);
// The file's lines without their line breaks; throws when it cannot be read.
std::vector<std::string> readPageLines(const std::string& path);
// Writes every line followed by CR LF; throws on failure.
void writePageLines(const std::string& path, const std::vector<std::string>& lines);

// Puts `markup` before the marker line, so the marker stays once, at the end
// of what has been added. The last line equal to `marker` is the one used, so
// a service text that happens to hold the marker cannot take its place.
// Returns false when the file has no marker line.
bool insertBeforeMarker(std::vector<std::string>& lines, std::string_view marker,
                        const std::string& markup);

// True when `line` contains `needle`, compared without regard to ASCII case.
bool containsNoCase(std::string_view line, std::string_view needle);

} // namespace sumberlaras::pages
