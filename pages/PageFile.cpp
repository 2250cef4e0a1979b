#include "pages/PageFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sumberlaras::pages {

std::string pagePath(const std::string& dataFolder, std::string_view fileName) {
    std::string path = dataFolder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path.append(fileName);
    return path;
}

std::string fileUrl(const std::string& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    const std::string full = ec ? path : absolute.generic_string();
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : full) {
        if (std::isalnum(c) || std::strchr("/-._~!$&'()*+,;=:@", c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

void writePageFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("Cannot create file \"" + path + "\": " + std::strerror(errno));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw std::runtime_error("Cannot write file \"" + path + "\"");
}

std::vector<std::string> readPageLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot open file \"" + path + "\": " + std::strerror(errno));
    std::stringstream buffer;
    buffer << in.rdbuf();
    return splitPageLines(buffer.str());
}

std::vector<std::string> splitPageLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        lines.emplace_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

void writePageLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    writePageFile(path, text);
}

bool insertBeforeMarker(std::vector<std::string>& lines, std::string_view marker,
                        const std::string& markup) {
    for (size_t i = lines.size(); i-- > 0;) {
        if (lines[i] == marker) {
            lines[i] = markup + "\r\n" + std::string(marker);
            return true;
        }
    }
    return false;
}

bool containsNoCase(std::string_view line, std::string_view needle) {
    if (needle.empty())
        return true;
    if (needle.size() > line.size())
        return false;
    const auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    for (size_t i = 0; i + needle.size() <= line.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && lower(line[i + k]) == lower(needle[k]))
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

} // namespace sumberlaras::pages
