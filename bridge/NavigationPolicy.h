#pragma once

#include <string>

namespace sumberlaras::bridge {

// The file address of a path of the data folder: "file://" + the absolute
// path with "\" turned into "/".
std::string fileUrl(const std::string& path);

// True for an address inside the data folder `dataFolder` (an absolute path
// without trailing separator); no "..", encoded dots or separators sneak out.
bool isInDataFolder(const std::string& url, const std::string& dataFolder);

// True for an http or https address with a host.
bool isWebAddress(const std::string& url);

enum class NavigationVerdict { Allow, OpenExternally, Ignore };

// What a view does with a navigation: pages of the data folder load; a link
// the user clicked to the web opens in the user's browser; anything else is
// dropped.
NavigationVerdict judgeNavigation(const std::string& url, const std::string& dataFolder,
                                  bool userClickedLink);

} // namespace sumberlaras::bridge
