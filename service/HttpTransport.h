#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sumberlaras {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// One part of a multipart/form-data body.
struct MultipartPart {
    std::string name;
    std::string data;        // the part's bytes
    std::string fileName;    // empty for a plain field
    std::string contentType; // empty: libcurl's default
};

struct HttpRequest {
    std::string method = "GET"; // GET or POST
    std::string url;
    HeaderList headers;      // sent in this order; nothing else is added but curl's own
    std::string body;        // raw body (form-encoded or JSON text)
    std::string contentType; // with body
    std::vector<MultipartPart> multipart;     // used instead of body when not empty
    std::chrono::milliseconds readTimeout{0}; // 0: only the stall limit applies
};

struct HttpResponse {
    bool ok = false;         // transport succeeded and status is 2xx
    long status = 0;         // HTTP status, 0 when none arrived
    std::string body;        // whole answer text
    std::string error;       // description of the failure when !ok
    std::string contentType; // the answer's Content-Type, empty when none
};

// Where requests go and whom they trust; read from the build constants and
// the environment (SUMBERLARAS_SERVICE_URL, SUMBERLARAS_CA_BUNDLE).
struct TransportConfig {
    std::string baseUrl;  // scheme and host, no trailing "/"
    std::string caBundle; // empty: the system's bundle
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds stallTimeout{120000}; // no data at all for this long
    std::size_t maxAnswerBytes = 64u << 20;         // larger answers fail rather than eat memory
    // "host:port:address" entries that pin a name to an address (libcurl's
    // CURLOPT_RESOLVE); lets tests reach a local service under another name.
    std::vector<std::string> resolveOverrides;
    // Sees the raw bytes libcurl sends (header order checks in tests).
    std::function<void(const std::string&)> onSentHeaders;
    // Set once the program closes: running requests end within about a second,
    // and new ones end at once.
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
    // Sees the HTTP status of each request's last answer (0 when none arrived).
    std::function<void(long)> onAnswerStatus;

    static TransportConfig fromEnvironment();
};

// Performs one request on a fresh libcurl handle; never throws.
HttpResponse performRequest(const HttpRequest& request, const TransportConfig& config);

// HTML-form encoding of name=value pairs, in order.
std::string formEncode(const HeaderList& fields);

} // namespace sumberlaras
