#pragma once

#include <optional>
#include <string>

#include "pages/PageFile.h"

namespace sumberlaras::bridge {

// Pages and views share one encoder for the address of a data-folder file.
using pages::fileUrl;

// The local path a file address names: percent-decoded, without its query or
// fragment. Nothing for other schemes, other hosts, an encoded separator
// or a decoded NUL.
std::optional<std::string> localPathOf(const std::string& url);

// True for a file address of a path inside the data folder `dataFolder` (an
// absolute path without trailing separator). Paths are compared, not address
// texts, so spaces, "#", "%" and letters such as "é" in the folder's path
// match however the browser encodes them; no "." or ".." segment (encoded or
// not) leads out.
bool isInDataFolder(const std::string& url, const std::string& dataFolder);

// True for an http or https address with a host.
bool isWebAddress(const std::string& url);

// True for what a page may fetch: files of the data folder, and https
// addresses of the service's own host (`serviceBase`: its scheme and host).
bool mayRequest(const std::string& url, const std::string& dataFolder,
                const std::string& serviceBase);

enum class NavigationVerdict { Allow, OpenExternally, Ignore };

// What a view does with a navigation: pages of the data folder load; a link
// the user clicked to the web opens in the user's browser; anything else is
// dropped.
NavigationVerdict judgeNavigation(const std::string& url, const std::string& dataFolder,
                                  bool userClickedLink);

} // namespace sumberlaras::bridge
