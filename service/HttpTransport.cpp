#include "service/HttpTransport.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "service/AppConstants.h"
#include "service/CurlHandles.h"

namespace sumberlaras {
namespace {

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string withoutTrailingSlashes(std::string url) {
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

// A header value must never start a new header line.
std::string headerSafe(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value)
        if (c != '\r' && c != '\n' && c != '\0')
            out += c;
    return out;
}

using Clock = std::chrono::steady_clock;

// State the libcurl callbacks write into.
struct Exchange {
    const TransportConfig* config = nullptr;
    std::string body;
    std::string statusLine; // of the last answer (after redirects)
    bool tooLarge = false;
    // The quiet limit: libcurl's own low-speed rule averages over several
    // seconds, so a burst of bytes would hide a stall behind it.
    std::chrono::milliseconds quietLimit{0};
    Clock::time_point lastActivity = Clock::now();
    curl_off_t lastUploaded = 0;
    bool stalled = false;
    bool cancelled = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    const size_t bytes = size * count;
    if (exchange->body.size() + bytes > exchange->config->maxAnswerBytes) {
        exchange->tooLarge = true;
        return 0; // aborts the transfer
    }
    exchange->body.append(data, bytes);
    exchange->lastActivity = Clock::now();
    return bytes;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    const size_t bytes = size * count;
    exchange->lastActivity = Clock::now();
    std::string line(data, bytes);
    if (line.rfind("HTTP/", 0) == 0) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        exchange->statusLine = line;
    }
    return bytes;
}

// Called about once a second even when nothing moves.
int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
    auto* exchange = static_cast<Exchange*>(user);
    if (exchange->config->cancel && *exchange->config->cancel) {
        exchange->cancelled = true;
        return 1; // the program is closing: nobody waits for this answer
    }
    const auto now = Clock::now();
    if (uploaded != exchange->lastUploaded) {
        exchange->lastUploaded = uploaded;
        exchange->lastActivity = now;
    }
    if (exchange->quietLimit.count() > 0 && now - exchange->lastActivity > exchange->quietLimit) {
        exchange->stalled = true;
        return 1; // aborts the transfer
    }
    return 0;
}

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    if (type == CURLINFO_HEADER_OUT && exchange->config->onSentHeaders)
        exchange->config->onSentHeaders(std::string(data, size));
    return 0;
}

// "HTTP/1.1 500 Internal Server Error" -> "500 Internal Server Error".
std::string statusDescription(const std::string& statusLine, long status) {
    const auto space = statusLine.find(' ');
    std::string rest = space == std::string::npos ? std::string() : statusLine.substr(space + 1);
    if (rest.empty())
        rest = std::to_string(status);
    return "The service answered with HTTP status " + rest;
}

} // namespace

TransportConfig TransportConfig::fromEnvironment() {
    TransportConfig config;
    const std::string url = environment("SUMBERLARAS_SERVICE_URL");
    config.baseUrl = withoutTrailingSlashes(url.empty() ? builtInServiceUrl() : url);
    config.caBundle = environment("SUMBERLARAS_CA_BUNDLE");
    return config;
}

std::string formEncode(const HeaderList& fields) {
    static const char hex[] = "0123456789ABCDEF";
    auto encode = [](const std::string& text, std::string& out) {
        for (unsigned char c : text) {
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                c == '*' || c == '-' || c == '.' || c == '_') {
                out += static_cast<char>(c);
            } else if (c == ' ') {
                out += '+';
            } else {
                out += '%';
                out += hex[c >> 4];
                out += hex[c & 0x0F];
            }
        }
    };
    std::string out;
    for (const auto& [name, value] : fields) {
        if (!out.empty())
            out += '&';
        encode(name, out);
        out += '=';
        encode(value, out);
    }
    return out;
}

namespace {

constexpr int kMaxRedirects = 5;

struct CurlUrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

// "scheme://host:port" of an address, empty when it does not parse.
std::string originOf(const std::string& url) {
    std::unique_ptr<CURLU, CurlUrlDeleter> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return {};
    std::string origin;
    for (CURLUPart part : {CURLUPART_SCHEME, CURLUPART_HOST, CURLUPART_PORT}) {
        char* text = nullptr;
        if (curl_url_get(parsed.get(), part, &text, CURLU_DEFAULT_PORT) != CURLUE_OK)
            return {};
        std::string piece(text);
        curl_free(text);
        std::transform(piece.begin(), piece.end(), piece.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        origin += part == CURLUPART_SCHEME ? piece + "://"
                  : part == CURLUPART_HOST ? piece + ":"
                                           : piece;
    }
    return origin;
}

// One transfer on a fresh handle; a redirect's target lands in redirectTo.
HttpResponse transferOnce(const HttpRequest& request, const TransportConfig& config,
                          std::string& redirectTo) {
    HttpResponse response;
    if (config.cancel && *config.cancel) {
        response.error = "Request cancelled";
        return response;
    }
    try {
        initCurlOnce();
        CurlEasy handle(curl_easy_init());
        if (!handle) {
            response.error = "The web client could not be created";
            return response;
        }
        CURL* h = handle.get();
        Exchange exchange;
        exchange.config = &config;
        char errorBuffer[CURL_ERROR_SIZE] = {};

        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
        curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "https");
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L); // followed by performRequest
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
        if (!config.caBundle.empty())
            curl_easy_setopt(h, CURLOPT_CAINFO, config.caBundle.c_str());
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                         static_cast<long>(config.connectTimeout.count()));

        exchange.quietLimit = config.stallTimeout;
        if (request.readTimeout.count() > 0 &&
            (exchange.quietLimit.count() <= 0 || request.readTimeout < exchange.quietLimit))
            exchange.quietLimit = request.readTimeout;
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, &exchange);
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);

        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &exchange);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &exchange);
        if (config.onSentHeaders) {
            curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, onDebug);
            curl_easy_setopt(h, CURLOPT_DEBUGDATA, &exchange);
            curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);
        }

        CurlSlist resolve;
        for (const auto& entry : config.resolveOverrides)
            if (!appendLine(resolve, entry.c_str())) {
                response.error = "Out of memory while building the request";
                return response;
            }
        if (resolve)
            curl_easy_setopt(h, CURLOPT_RESOLVE, resolve.get());

        CurlSlist headers;
        bool listOk = true;
        for (const auto& [name, value] : request.headers) {
            const std::string v = headerSafe(value);
            // "Name;" is libcurl's spelling of a header with an empty value.
            const std::string line =
                v.empty() ? headerSafe(name) + ";" : headerSafe(name) + ": " + v;
            listOk = listOk && appendLine(headers, line.c_str());
        }
        // libcurl would otherwise pause large bodies waiting for "100 Continue".
        listOk = listOk && appendLine(headers, "Expect:");

        CurlMime mime;
        if (request.method == "POST") {
            if (!request.multipart.empty()) {
                mime.reset(curl_mime_init(h));
                for (const auto& part : request.multipart) {
                    curl_mimepart* p = curl_mime_addpart(mime.get());
                    curl_mime_name(p, part.name.c_str());
                    curl_mime_data(p, part.data.data(), part.data.size());
                    if (!part.fileName.empty())
                        curl_mime_filename(p, part.fileName.c_str());
                    if (!part.contentType.empty())
                        curl_mime_type(p, part.contentType.c_str());
                }
                curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());
            } else {
                if (!request.contentType.empty()) {
                    const std::string line = "Content-Type: " + headerSafe(request.contentType);
                    listOk = listOk && appendLine(headers, line.c_str());
                }
                curl_easy_setopt(h, CURLOPT_POST, 1L);
                curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE,
                                 static_cast<curl_off_t>(request.body.size()));
                curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.data());
            }
        } else if (request.method != "GET") {
            response.error = "Unsupported request method " + request.method;
            return response;
        }
        if (!listOk) {
            response.error = "Out of memory while building the request headers";
            return response;
        }
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());

        const CURLcode result = curl_easy_perform(h);
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &response.status);
        char* contentType = nullptr;
        if (curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
            response.contentType = contentType;

        if (result != CURLE_OK) {
            if (exchange.cancelled)
                response.error = "Request cancelled";
            else if (exchange.stalled)
                response.error = "No data from the service for " +
                                 std::to_string(exchange.quietLimit.count()) + " ms";
            else if (exchange.tooLarge)
                response.error =
                    "The answer is larger than " + std::to_string(config.maxAnswerBytes) + " bytes";
            else
                response.error = errorBuffer[0] ? std::string(errorBuffer)
                                                : std::string(curl_easy_strerror(result));
            while (!response.error.empty() && response.error.back() == '\n')
                response.error.pop_back();
            return response;
        }
        response.body = std::move(exchange.body);
        char* location = nullptr;
        if (response.status >= 300 && response.status <= 399 &&
            curl_easy_getinfo(h, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
            redirectTo = location;
        if (response.status < 200 || response.status > 299) {
            response.error = statusDescription(exchange.statusLine, response.status);
            return response;
        }
        response.ok = true;
    } catch (const std::exception& e) {
        response.ok = false;
        response.error = e.what();
    } catch (...) {
        response.ok = false;
        response.error = "Unexpected failure in the web client";
    }
    return response;
}

} // namespace

namespace {

HttpResponse followRedirects(const HttpRequest& request, const TransportConfig& config) {
    HttpRequest hop = request;
    for (int redirects = 0;; ++redirects) {
        std::string next;
        HttpResponse response = transferOnce(hop, config, next);
        if (next.empty())
            return response;
        response.ok = false;
        if (redirects == kMaxRedirects) {
            response.error =
                "The service redirected more than " + std::to_string(kMaxRedirects) + " times";
            return response;
        }
        const std::string target = originOf(next);
        if (target.rfind("https://", 0) != 0) {
            response.error = "Refusing to follow a redirect to " + next + ": only https is allowed";
            return response;
        }
        // The key and identity headers are for the service alone, as a browser
        // drops credentials on a cross-origin redirect.
        if (target != originOf(hop.url))
            hop.headers.clear();
        const long status = response.status;
        if (status == 303 || ((status == 301 || status == 302) && hop.method == "POST")) {
            hop.method = "GET";
            hop.body.clear();
            hop.contentType.clear();
            hop.multipart.clear();
        }
        hop.url = next;
    }
}

} // namespace

HttpResponse performRequest(const HttpRequest& request, const TransportConfig& config) {
    HttpResponse response = followRedirects(request, config);
    if (config.onAnswerStatus)
        config.onAnswerStatus(response.status);
    return response;
}

} // namespace sumberlaras
