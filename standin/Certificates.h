#pragma once

#include <string>

namespace standin {

struct TlsMaterial {
    std::string caPem;          // what clients trust (ca.pem)
    std::string certificatePem; // server certificate for 127.0.0.1 and localhost
    std::string keyPem;         // server key
};

// Loads the CA and server certificate from the state folder, or makes a new
// pair there (ca.pem, ca-key.pem, server.pem, server-key.pem) when any is
// missing. Throws std::runtime_error when OpenSSL fails.
TlsMaterial ensureCertificates(const std::string& stateDir);

} // namespace standin
