#pragma once

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include <httplib.h>
#include <openssl/ssl.h>

namespace standin {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// What the handler of the request being served may know about its connection
// beyond what httplib hands over: the headers in the order they arrived.
struct Exchange {
    HeaderList rawHeaders;
    bool dropRequested = false;
};

// The exchange of the request served on this thread (only valid inside a handler).
Exchange& currentExchange();

// An HTTPS server on top of httplib's request handling. The TLS layer is our
// own so that the raw request head can be seen (httplib keeps headers in a
// sorted multimap) and so that a connection can be dropped without an answer.
class TlsServer : public httplib::Server {
public:
    // Serves up to `threads` connections at once (browsers keep several open).
    TlsServer(const std::string& certificatePem, const std::string& keyPem, size_t threads = 32);
    ~TlsServer() override;
    TlsServer(const TlsServer&) = delete;
    TlsServer& operator=(const TlsServer&) = delete;

    bool is_valid() const override { return context_ != nullptr; }
    // Makes every connection loop finish soon; call before stop().
    void beginShutdown() { stopping_ = true; }
    bool stopping() const { return stopping_; }

private:
    bool process_and_close_socket(socket_t sock) override;

    SSL_CTX* context_ = nullptr;
    std::atomic<bool> stopping_{false};
};

// Splits a raw request head ("GET / HTTP/1.1\r\nName: value\r\n...") into its
// header lines, in order.
HeaderList parseRequestHead(const std::string& head);

} // namespace standin
