#pragma once

#include <functional>

#include "service/HttpTransport.h"

namespace sumberlaras {

// How the account windows send their own requests; production code passes
// transportFetch(), tests may pass a scripted one.
using HttpFetch = std::function<HttpResponse(const HttpRequest&)>;

inline HttpFetch transportFetch(TransportConfig config) {
    return [config = std::move(config)](const HttpRequest& request) {
        return performRequest(request, config);
    };
}

} // namespace sumberlaras
