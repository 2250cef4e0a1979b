#pragma once

#include <string>
#include <vector>

namespace sumberlaras::bridge {

// Decides whether a server's certificate chain (DER, leaf first) is one the
// program trusts for `host`: issued under the CA in `caFile` and naming that
// host (name or IP address).
bool chainTrustedFor(const std::vector<std::string>& derChain, const std::string& host,
                     const std::string& caFile);

} // namespace sumberlaras::bridge
