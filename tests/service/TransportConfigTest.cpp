#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "service/AppConstants.h"
#include "service/HttpTransport.h"

using namespace sumberlaras;

namespace {

// Sets an environment variable for one scope, restoring what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(TransportConfig, EnvironmentOverridesTheBuild) {
    ScopedEnv url("SUMBERLARAS_SERVICE_URL", "https://layanan.example:8443//");
    ScopedEnv ca("SUMBERLARAS_CA_BUNDLE", "/tmp/ca.pem");
    const auto config = TransportConfig::fromEnvironment();
    EXPECT_EQ(config.baseUrl, "https://layanan.example:8443");
    EXPECT_EQ(config.caBundle, "/tmp/ca.pem");
}

TEST(TransportConfig, UnsetMeansTheBuildAddressAndTheSystemBundle) {
    ScopedEnv url("SUMBERLARAS_SERVICE_URL", nullptr);
    ScopedEnv ca("SUMBERLARAS_CA_BUNDLE", nullptr);
    const auto config = TransportConfig::fromEnvironment();
    EXPECT_EQ(config.baseUrl, builtInServiceUrl());
    EXPECT_TRUE(config.caBundle.empty());
    EXPECT_EQ(clientId(), "396");
    EXPECT_EQ(appCode(), "QWZ5093pmr");
    EXPECT_EQ(appVersion(), "4");
}

} // namespace
