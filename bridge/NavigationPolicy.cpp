#include "NavigationPolicy.h"

#include <algorithm>
#include <cctype>

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

} // namespace

std::string fileUrl(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    if (!startsWith(p, "/"))
        p = "/" + p;
    return "file://" + p;
}

bool isInDataFolder(const std::string& url, const std::string& dataFolder) {
    if (dataFolder.empty())
        return false;
    const std::string prefix = fileUrl(dataFolder) + "/";
    if (!startsWith(url, prefix))
        return false;
    const std::string rest = url.substr(prefix.size());
    const std::string l = lower(rest);
    if (rest.find('\\') != std::string::npos || l.find("%2e") != std::string::npos ||
        l.find("%2f") != std::string::npos || l.find("%5c") != std::string::npos)
        return false;
    // No segment may be "." or "..".
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find_first_of("/?#", start);
        const std::string segment =
            rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (segment == "." || segment == "..")
            return false;
        if (end == std::string::npos || rest[end] != '/')
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

NavigationVerdict judgeNavigation(const std::string& url, const std::string& dataFolder,
                                  bool userClickedLink) {
    if (isInDataFolder(url, dataFolder) || url == "about:blank")
        return NavigationVerdict::Allow;
    if (userClickedLink && isWebAddress(url))
        return NavigationVerdict::OpenExternally;
    return NavigationVerdict::Ignore;
}

} // namespace sumberlaras::bridge
