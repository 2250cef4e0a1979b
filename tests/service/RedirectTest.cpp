#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <httplib.h>

#include "tests/service/WireFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

// A second HTTPS origin (same certificate as the stand-in, another port)
// whose paths redirect.
class Redirector {
public:
    Redirector()
        : server_((sharedStandin().stateDir() + "/server.pem").c_str(),
                  (sharedStandin().stateDir() + "/server-key.pem").c_str()) {
        const std::string standin = sharedStandin().baseUrl();
        server_.Get("/cross", [standin](const httplib::Request&, httplib::Response& res) {
            res.set_redirect(standin + "/api/wl/mitra", 302);
        });
        server_.Post("/cross-post", [standin](const httplib::Request&, httplib::Response& res) {
            res.set_redirect(standin + "/api/wl/mitra", 302);
        });
        server_.Get("/same", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/final", 302);
        });
        server_.Get("/final", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("KEY"), "text/plain");
        });
        server_.Get("/plain", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("http://127.0.0.1:1/x", 302);
        });
        server_.Get("/loop", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/loop", 302);
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() only reaches a server that has started listening.
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~Redirector() {
        server_.stop();
        thread_.join();
    }
    Redirector(const Redirector&) = delete;
    Redirector& operator=(const Redirector&) = delete;

    std::string url(const std::string& path) const {
        return "https://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    httplib::SSLServer server_;
    int port_ = 0;
    std::thread thread_;
};

class Redirect : public ::testing::Test, protected WireFixture {
protected:
    HttpResponse fetch(const std::string& path, const std::string& method = "GET") {
        HttpRequest request;
        request.method = method;
        request.url = redirector.url(path);
        request.headers = {{"CLIENTID", "396"}, {"KEY", "secret-key"}};
        if (method == "POST") {
            request.body = "a=1";
            request.contentType = "application/x-www-form-urlencoded";
        }
        TransportConfig config;
        config.caBundle = sharedStandin().caFile();
        return performRequest(request, config);
    }
    bool standinSawKey() {
        const Json logged = lastLogged(); // the loop must not walk a temporary's member
        for (const auto& h : logged["headers"])
            if (upper(h[0]) == "KEY")
                return true;
        return false;
    }

    Redirector redirector;
};

TEST_F(Redirect, SameOriginKeepsTheServiceHeaders) {
    const HttpResponse r = fetch("/same");
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.body, "secret-key");
}

TEST_F(Redirect, AnotherOriginNeverSeesTheKey) {
    fetch("/cross");
    EXPECT_EQ(lastLogged()["path"], "/api/wl/mitra");
    EXPECT_FALSE(standinSawKey());
}

TEST_F(Redirect, FoundAfterAPostIsFetchedWithoutTheBody) {
    fetch("/cross-post", "POST");
    EXPECT_EQ(lastLogged()["method"], "GET");
    EXPECT_EQ(lastLogged()["body"], "");
}

TEST_F(Redirect, OnlyHttpsAndAFewHops) {
    const HttpResponse plain = fetch("/plain");
    EXPECT_FALSE(plain.ok);
    EXPECT_EQ(plain.error.rfind("Refusing to follow a redirect to http://", 0), 0u) << plain.error;
    const HttpResponse loop = fetch("/loop");
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(loop.error, "The service redirected more than 5 times");
}

} // namespace
