// The service's images are trusted only for the service's host, and only
// under the service's own certificate authority.
#include <fstream>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "bridge/qt/CertificateTrust.h"
#include "tests/support/Standin.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Every certificate of a PEM file, as DER, in file order.
std::vector<std::string> derChain(const std::string& pemFile) {
    const std::string pem = readFile(pemFile);
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.data(), int(pem.size())),
                                                  &BIO_free);
    std::vector<std::string> chain;
    while (X509* cert = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr)) {
        unsigned char* der = nullptr;
        const int length = i2d_X509(cert, &der);
        if (length > 0)
            chain.emplace_back(reinterpret_cast<char*>(der), size_t(length));
        OPENSSL_free(der);
        X509_free(cert);
    }
    return chain;
}

TEST(CertificateTrust, OnlyTheServiceHostUnderItsOwnAuthority) {
    Standin service, other;
    const auto chain = derChain(service.stateDir() + "/server.pem");
    ASSERT_FALSE(chain.empty());
    struct Case {
        std::vector<std::string> chain;
        std::string host;
        std::string caFile;
        bool trusted;
    };
    const Case cases[] = {
        {chain, "127.0.0.1", service.caFile(), true},
        {chain, "localhost", service.caFile(), true},
        {chain, "evil.example", service.caFile(), false},
        {chain, "127.0.0.2", service.caFile(), false},
        {chain, "127.0.0.1", other.caFile(), false},
        {chain, "127.0.0.1", "", false},
        {chain, "127.0.0.1", service.stateDir() + "/missing.pem", false},
        {{}, "127.0.0.1", service.caFile(), false},
        {{"not a certificate"}, "127.0.0.1", service.caFile(), false},
        {derChain(service.caFile()), "127.0.0.1", service.caFile(), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_EQ(bridge::chainTrustedFor(c.chain, c.host, c.caFile), c.trusted) << c.host;
    }
}

} // namespace
