#include "bridge/NavigationPolicy.h"

#include <algorithm>
#include <cctype>

#include "pages/PageText.h"

namespace sumberlaras::bridge {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> localPathOf(const std::string& url) {
    if (lower(url.substr(0, 7)) != "file://")
        return std::nullopt;
    const size_t pathStart = url.find('/', 7);
    if (pathStart == std::string::npos)
        return std::nullopt;
    const std::string host = lower(url.substr(7, pathStart - 7));
    if (!host.empty() && host != "localhost")
        return std::nullopt;
    const size_t pathEnd = url.find_first_of("?#", pathStart);
    const std::string encoded = url.substr(pathStart, pathEnd - pathStart);
    const std::string folded = lower(encoded);
    if (folded.find("%2f") != std::string::npos || folded.find("%5c") != std::string::npos)
        return std::nullopt; // an encoded separator is read differently by each reader
    std::string path;
    path.reserve(encoded.size());
    for (size_t i = 0; i < encoded.size(); ++i) {
        const int hi = encoded[i] == '%' && i + 2 < encoded.size() ? hexValue(encoded[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(encoded[i + 2]) : -1;
        if (lo >= 0) {
            path += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            path += encoded[i];
        }
    }
    if (path.find('\0') != std::string::npos)
        return std::nullopt;
    return path;
}

bool isInDataFolder(const std::string& url, const std::string& dataFolder) {
    if (dataFolder.empty() || dataFolder.front() != '/')
        return false;
    const std::optional<std::string> path = localPathOf(url);
    const std::string prefix = dataFolder + "/";
    if (!path || !startsWith(*path, prefix) || path->find('\\') != std::string::npos)
        return false;
    // No segment of the decoded path may be "." or "..".
    size_t start = 0;
    while (start <= path->size()) {
        const size_t end = path->find('/', start);
        const std::string segment = path->substr(start, end - start);
        if (segment == "." || segment == "..")
            return false;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

bool isWebAddress(const std::string& url) {
    const std::string l = lower(url);
    std::string rest;
    if (startsWith(l, "https://"))
        rest = url.substr(8);
    else if (startsWith(l, "http://"))
        rest = url.substr(7);
    else
        return false;
    if (rest.empty() || rest[0] == '/' || rest[0] == '?' || rest[0] == '#')
        return false;
    // Control characters and spaces have no place in an address handed on.
    return std::none_of(url.begin(), url.end(),
                        [](unsigned char c) { return c <= 0x20 || c == 0x7f; });
}

bool mayRequest(const std::string& url, const std::string& dataFolder,
                const std::string& serviceBase) {
    return isInDataFolder(url, dataFolder) || !pages::serviceAddress(url, serviceBase).empty();
}

NavigationVerdict judgeNavigation(const std::string& url, const std::string& dataFolder,
                                  bool userClickedLink) {
    if (isInDataFolder(url, dataFolder) || url == "about:blank")
        return NavigationVerdict::Allow;
    if (userClickedLink && isWebAddress(url))
        return NavigationVerdict::OpenExternally;
    return NavigationVerdict::Ignore;
}

} // namespace sumberlaras::bridge
