#include "bridge/qt/CertificateTrust.h"

#include <cstdio>
#include <memory>

#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

namespace sumberlaras::bridge {

namespace {

struct X509Free {
    void operator()(X509* x) const { X509_free(x); }
};
struct StoreFree {
    void operator()(X509_STORE* s) const { X509_STORE_free(s); }
};
struct CtxFree {
    void operator()(X509_STORE_CTX* c) const { X509_STORE_CTX_free(c); }
};
struct StackFree {
    void operator()(STACK_OF(X509) * s) const { sk_X509_pop_free(s, X509_free); }
};
struct FileClose {
    void operator()(FILE* f) const { std::fclose(f); }
};

std::unique_ptr<X509, X509Free> fromDer(const std::string& der) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(der.data());
    return std::unique_ptr<X509, X509Free>(d2i_X509(nullptr, &p, static_cast<long>(der.size())));
}

} // namespace

bool chainTrustedFor(const std::vector<std::string>& derChain, const std::string& host,
                     const std::string& caFile) {
    if (derChain.empty() || host.empty() || caFile.empty())
        return false;
    std::unique_ptr<X509_STORE, StoreFree> store(X509_STORE_new());
    std::unique_ptr<FILE, FileClose> file(std::fopen(caFile.c_str(), "r"));
    if (!store || !file)
        return false;
    int added = 0;
    while (X509* ca = PEM_read_X509(file.get(), nullptr, nullptr, nullptr)) {
        added += X509_STORE_add_cert(store.get(), ca) == 1;
        X509_free(ca);
    }
    if (added == 0)
        return false;

    auto leaf = fromDer(derChain.front());
    std::unique_ptr<STACK_OF(X509), StackFree> rest(sk_X509_new_null());
    if (!leaf || !rest)
        return false;
    for (size_t i = 1; i < derChain.size(); ++i)
        if (auto c = fromDer(derChain[i]))
            sk_X509_push(rest.get(), c.release());

    std::unique_ptr<X509_STORE_CTX, CtxFree> ctx(X509_STORE_CTX_new());
    if (!ctx || X509_STORE_CTX_init(ctx.get(), store.get(), leaf.get(), rest.get()) != 1)
        return false;
    X509_VERIFY_PARAM* param = X509_STORE_CTX_get0_param(ctx.get());
    if (X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str()) != 1 &&
        X509_VERIFY_PARAM_set1_host(param, host.c_str(), host.size()) != 1)
        return false;
    return X509_verify_cert(ctx.get()) == 1;
}

} // namespace sumberlaras::bridge
