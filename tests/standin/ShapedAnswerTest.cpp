// Planned answers that keep the service's meaning but change their shape: a
// numeric "code", and book documents larger than any client should keep.
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

class ShapedAnswerTest : public ::testing::Test {
protected:
    sumberlaras::testing::Standin standin;
    Client client{standin};
};

TEST_F(ShapedAnswerTest, NumericModeSendsTheCodeAsANumber) {
    struct Case {
        const char* path;
        bool form;
    };
    for (const Case& c : {Case{"/api/wl/mitra", false}, Case{"/api/wl/checkAppVersion", true}}) {
        standin.failNext(c.path, "numeric");
        const auto ask = [&] {
            return c.form ? client.postForm(c.path, "kode=QWZ5093pmr&os=WIN&versi=4",
                                            clientHeaders("U1"))
                          : client.get(c.path, clientHeaders("U1"));
        };
        const Json numeric = ask().json();
        ASSERT_TRUE(numeric.is_object()) << c.path;
        EXPECT_EQ(numeric["code"], Json(200)) << c.path;
        EXPECT_TRUE(numeric["code"].is_number()) << c.path;
        const Json next = ask().json();
        EXPECT_EQ(next["code"], Json("200")) << "only once: " << c.path;
        // Nothing else of the answer changes.
        Json withTextCode = numeric;
        withTextCode["code"] = "200";
        EXPECT_EQ(withTextCode, next) << c.path;
    }
    // A refusal keeps its own number.
    standin.setVersion({{"code", "403"}, {"msg", "Versi lama"}});
    standin.failNext("/api/wl/checkAppVersion", "numeric");
    const Json refused =
        client.postForm("/api/wl/checkAppVersion", "kode=QWZ5093pmr&os=WIN&versi=4").json();
    EXPECT_EQ(refused["code"], Json(403));
    EXPECT_EQ(refused["msg"], "Versi lama");
}

struct Fetched {
    long status = 0;
    curl_off_t announced = -1; // Content-Length, -1 when none
    size_t bytes = 0;
    std::string head;
};

size_t countBytes(char* data, size_t size, size_t count, void* target) {
    auto* f = static_cast<Fetched*>(target);
    if (f->head.size() < 16)
        f->head.append(data, std::min<size_t>(size * count, 16 - f->head.size()));
    f->bytes += size * count;
    return size * count;
}

Fetched fetch(const sumberlaras::testing::Standin& standin, const std::string& path) {
    struct Deleter {
        void operator()(CURL* c) const { curl_easy_cleanup(c); }
    };
    std::unique_ptr<CURL, Deleter> curl(curl_easy_init());
    Fetched f;
    const std::string url = standin.baseUrl() + path;
    const std::string ca = standin.caFile();
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, countBytes);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &f);
    EXPECT_EQ(curl_easy_perform(curl.get()), CURLE_OK) << path;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &f.status);
    curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &f.announced);
    return f;
}

TEST_F(ShapedAnswerTest, OversizedDocumentsHaveTheSizeAsked) {
    const std::string book = "/pc/swr/101.pdf";
    for (const bool announce : {true, false}) {
        const int64_t size = 3 * 1024 * 1024 + 17;
        standin.serveOversized(book, size, announce);
        const Fetched f = fetch(standin, book);
        EXPECT_EQ(f.status, 200);
        EXPECT_EQ(f.bytes, static_cast<size_t>(size)) << announce;
        EXPECT_EQ(f.announced, announce ? size : -1);
        EXPECT_EQ(f.head.rfind("%PDF-", 0), 0u) << f.head;
    }
}

} // namespace
} // namespace standin::testing
