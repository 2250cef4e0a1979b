#include "standin/TlsServer.h"

#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>

namespace standin {
namespace {

constexpr int kKeepAliveMs = 5000;
constexpr int kSliceMs = 100;
constexpr int kMaxRequestsPerConnection = 100;
constexpr size_t kMaxHeadBytes = 64 * 1024;
constexpr int kSliceTimeoutMs = 1000;
constexpr int kIoLimitMs = 15000;

// Each connection is served on one thread from start to end, so the
// exchange of the request in progress can live with the thread.
thread_local Exchange threadExchange;

struct SslDeleter {
    void operator()(SSL* ssl) const { SSL_free(ssl); }
};
struct BioDeleter {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct X509Deleter {
    void operator()(X509* cert) const { X509_free(cert); }
};
struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};

std::unique_ptr<BIO, BioDeleter> memoryBio(const std::string& text) {
    return std::unique_ptr<BIO, BioDeleter>(
        BIO_new_mem_buf(text.data(), static_cast<int>(text.size())));
}

void addressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

// httplib's request reader on a TLS session. It records the request head as
// it passes so that the handler can see the headers in their sent order.
class TlsStream : public httplib::Stream {
public:
    TlsStream(SSL* ssl, int sock, Exchange& exchange, const std::atomic<bool>& stopping)
        : ssl_(ssl), sock_(sock), exchange_(exchange), stopping_(stopping) {}

    void beginRequest() {
        head_.clear();
        recording_ = true;
    }
    const std::string& head() const { return head_; }
    bool dropped() const { return dropped_; }

    bool is_readable() const override { return SSL_pending(ssl_) > 0 || waitFor(POLLIN, 5000); }
    bool is_writable() const override { return !dropped_ && waitFor(POLLOUT, 5000); }

    ssize_t read(char* ptr, size_t size) override {
        if (dropped_) {
            return -1;
        }
        const int n = retrying([&] { return SSL_read(ssl_, ptr, static_cast<int>(size)); });
        if (n <= 0) {
            return -1;
        }
        if (recording_) {
            head_.append(ptr, static_cast<size_t>(n));
            if (head_.find("\r\n\r\n") != std::string::npos || head_.size() > kMaxHeadBytes) {
                recording_ = false;
            }
        }
        return n;
    }

    ssize_t write(const char* ptr, size_t size) override {
        if (exchange_.dropRequested && !dropped_) {
            // Close the connection without a byte of answer.
            ::shutdown(sock_, SHUT_RDWR);
            dropped_ = true;
        }
        if (dropped_) {
            return -1;
        }
        const int n = retrying([&] { return SSL_write(ssl_, ptr, static_cast<int>(size)); });
        return n <= 0 ? -1 : n;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (getpeername(sock_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            addressOf(address, ip, port);
        }
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (getsockname(sock_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            addressOf(address, ip, port);
        }
    }
    socket_t socket() const override { return sock_; }

private:
    // The socket times out every second, so that a silent peer cannot hold
    // shutdown up for long; give up after kIoLimitMs without progress.
    template <class Operation> int retrying(Operation operation) {
        for (int waited = 0;; waited += kSliceTimeoutMs) {
            const int n = operation();
            if (n > 0) {
                return n;
            }
            const int error = SSL_get_error(ssl_, n);
            const bool again = error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE;
            if (!again || stopping_ || waited >= kIoLimitMs) {
                ERR_clear_error();
                return n;
            }
        }
    }

    bool waitFor(short events, int timeoutMs) const {
        pollfd fd{sock_, events, 0};
        return ::poll(&fd, 1, timeoutMs) > 0;
    }

    SSL* ssl_;
    int sock_;
    Exchange& exchange_;
    const std::atomic<bool>& stopping_;
    std::string head_;
    bool recording_ = false;
    bool dropped_ = false;
};

} // namespace

Exchange& currentExchange() {
    return threadExchange;
}

HeaderList parseRequestHead(const std::string& head) {
    HeaderList headers;
    size_t start = head.find("\r\n");
    if (start == std::string::npos) {
        return headers;
    }
    start += 2;
    while (start < head.size()) {
        const size_t end = head.find("\r\n", start);
        if (end == std::string::npos || end == start) {
            break;
        }
        const std::string line = head.substr(start, end - start);
        const size_t colon = line.find(':');
        if (colon != std::string::npos) {
            size_t valueStart = colon + 1;
            while (valueStart < line.size() &&
                   (line[valueStart] == ' ' || line[valueStart] == '\t')) {
                ++valueStart;
            }
            size_t valueEnd = line.size();
            while (valueEnd > valueStart &&
                   (line[valueEnd - 1] == ' ' || line[valueEnd - 1] == '\t')) {
                --valueEnd;
            }
            headers.emplace_back(line.substr(0, colon),
                                 line.substr(valueStart, valueEnd - valueStart));
        }
        start = end + 2;
    }
    return headers;
}

TlsServer::TlsServer(const std::string& certificatePem, const std::string& keyPem, size_t threads) {
    new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    auto certBio = memoryBio(certificatePem);
    auto keyBio = memoryBio(keyPem);
    std::unique_ptr<X509, X509Deleter> cert(
        PEM_read_bio_X509(certBio.get(), nullptr, nullptr, nullptr));
    std::unique_ptr<EVP_PKEY, KeyDeleter> key(
        PEM_read_bio_PrivateKey(keyBio.get(), nullptr, nullptr, nullptr));
    if (!cert || !key) {
        return;
    }
    context_ = SSL_CTX_new(TLS_server_method());
    if (!context_) {
        return;
    }
    SSL_CTX_set_min_proto_version(context_, TLS1_2_VERSION);
    if (SSL_CTX_use_certificate(context_, cert.get()) != 1 ||
        SSL_CTX_use_PrivateKey(context_, key.get()) != 1 ||
        SSL_CTX_check_private_key(context_) != 1) {
        SSL_CTX_free(context_);
        context_ = nullptr;
    }
}

TlsServer::~TlsServer() {
    if (context_) {
        SSL_CTX_free(context_);
    }
}

bool TlsServer::process_and_close_socket(socket_t sock) {
    struct SocketCloser {
        int sock;
        ~SocketCloser() { ::close(sock); }
    } closer{sock};

    timeval timeout{kSliceTimeoutMs / 1000, 0};
    setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    // An answer goes out in several TLS records: without this, the last one
    // waits for the client's delayed acknowledgement, some 40 ms an answer.
    const int noDelay = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);

    std::unique_ptr<SSL, SslDeleter> ssl(SSL_new(context_));
    if (!ssl || SSL_set_fd(ssl.get(), sock) != 1) {
        return false;
    }
    bool accepted = false;
    for (int waited = 0; !accepted && !stopping_ && waited < kIoLimitMs;
         waited += kSliceTimeoutMs) {
        const int result = SSL_accept(ssl.get());
        accepted = result == 1;
        const int error = accepted ? SSL_ERROR_NONE : SSL_get_error(ssl.get(), result);
        if (!accepted && error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) {
            break;
        }
    }
    if (!accepted) {
        ERR_clear_error();
        return false;
    }

    Exchange& exchange = threadExchange;
    exchange = Exchange{};
    TlsStream stream(ssl.get(), sock, exchange, stopping_);
    bool ok = true;
    for (int served = 0; served < kMaxRequestsPerConnection && !stopping_; ++served) {
        // Wait for the next request in short slices so that shutdown is not held up.
        bool readable = SSL_pending(ssl.get()) > 0;
        for (int waited = 0; !readable && waited < kKeepAliveMs && !stopping_; waited += kSliceMs) {
            pollfd fd{sock, POLLIN, 0};
            readable = ::poll(&fd, 1, kSliceMs) > 0;
        }
        if (!readable) {
            break;
        }
        exchange = Exchange{};
        stream.beginRequest();
        bool closed = false;
        ok = process_request(stream, served + 1 == kMaxRequestsPerConnection, closed,
                             [&](httplib::Request& request) {
                                 exchange.rawHeaders = parseRequestHead(stream.head());
                                 request.ssl = ssl.get();
                             });
        if (!ok || closed || stream.dropped()) {
            break;
        }
    }
    if (!stream.dropped()) {
        SSL_shutdown(ssl.get());
    }
    ERR_clear_error();
    return ok;
}

} // namespace standin
