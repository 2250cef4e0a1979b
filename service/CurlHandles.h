#pragma once

#include <memory>

#include <curl/curl.h>

namespace sumberlaras {

// Owning handles for the libcurl objects of one request.
struct CurlEasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct CurlSlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
struct CurlMimeDeleter {
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};

using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlSlist = std::unique_ptr<curl_slist, CurlSlistDeleter>;
using CurlMime = std::unique_ptr<curl_mime, CurlMimeDeleter>;

// Appends a line to an owned list; false when libcurl is out of memory (the list stays intact).
inline bool appendLine(CurlSlist& list, const char* line) {
    curl_slist* grown = curl_slist_append(list.get(), line);
    if (!grown)
        return false;
    list.release();
    list.reset(grown);
    return true;
}

} // namespace sumberlaras
