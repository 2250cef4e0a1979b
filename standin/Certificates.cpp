#include "standin/Certificates.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace standin {
namespace {

namespace fs = std::filesystem;

struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct X509Deleter {
    void operator()(X509* cert) const { X509_free(cert); }
};
struct BioDeleter {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct ExtensionDeleter {
    void operator()(X509_EXTENSION* ext) const { X509_EXTENSION_free(ext); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyDeleter>;
using Cert = std::unique_ptr<X509, X509Deleter>;

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("certificate generation failed: ") + what);
    }
}

Key newKey() {
    // P-256 keys are made in milliseconds, which keeps the first start quick.
    Key key(EVP_EC_gen("P-256"));
    check(key != nullptr, "key");
    return key;
}

void addExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    std::unique_ptr<X509_EXTENSION, ExtensionDeleter> ext(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    check(ext != nullptr, value);
    check(X509_add_ext(cert, ext.get(), -1) == 1, value);
}

Cert newCertificate(EVP_PKEY* key, const char* commonName, X509* issuer, EVP_PKEY* issuerKey,
                    bool authority) {
    Cert cert(X509_new());
    check(cert != nullptr, "X509_new");
    X509_set_version(cert.get(), 2);
    unsigned char serial[16];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f;
    BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert.get()));
    BN_free(number);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -24L * 3600);
    X509_time_adj_ex(X509_getm_notAfter(cert.get()), 3650, 0, nullptr);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Sumberlaras stand-in"), -1,
                               -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509* signer = issuer ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    addExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (authority) {
        addExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE");
        addExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        addExtension(cert.get(), signer, NID_authority_key_identifier, "keyid:always");
        addExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(cert.get(), signer, NID_key_usage,
                     "critical,digitalSignature,keyEncipherment");
        addExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
        addExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    }
    check(X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()) > 0, "sign");
    return cert;
}

std::string pemOf(X509* cert) {
    std::unique_ptr<BIO, BioDeleter> bio(BIO_new(BIO_s_mem()));
    check(PEM_write_bio_X509(bio.get(), cert) == 1, "PEM certificate");
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<size_t>(size));
}

std::string pemOf(EVP_PKEY* key) {
    std::unique_ptr<BIO, BioDeleter> bio(BIO_new(BIO_s_mem()));
    check(PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
          "PEM key");
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<size_t>(size));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writePrivateFile(const fs::path& path, const std::string& text) {
    const fs::path partial = path.string() + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        check(static_cast<bool>(out), "write");
    }
    fs::rename(partial, path);
}

} // namespace

TlsMaterial ensureCertificates(const std::string& stateDir) {
    const fs::path dir(stateDir);
    const fs::path ca = dir / "ca.pem", caKey = dir / "ca-key.pem";
    const fs::path server = dir / "server.pem", serverKey = dir / "server-key.pem";
    if (fs::exists(ca) && fs::exists(caKey) && fs::exists(server) && fs::exists(serverKey)) {
        TlsMaterial material{readFile(ca), readFile(server), readFile(serverKey)};
        if (!material.caPem.empty() && !material.certificatePem.empty() &&
            !material.keyPem.empty()) {
            return material;
        }
    }
    Key authorityKey = newKey();
    Cert authority =
        newCertificate(authorityKey.get(), "Sumberlaras stand-in CA", nullptr, nullptr, true);
    Key key = newKey();
    Cert cert = newCertificate(key.get(), "127.0.0.1", authority.get(), authorityKey.get(), false);

    TlsMaterial material{pemOf(authority.get()), pemOf(cert.get()), pemOf(key.get())};
    writePrivateFile(caKey, pemOf(authorityKey.get()));
    writePrivateFile(serverKey, material.keyPem);
    writePrivateFile(server, material.certificatePem);
    writePrivateFile(ca, material.caPem);
    return material;
}

} // namespace standin
