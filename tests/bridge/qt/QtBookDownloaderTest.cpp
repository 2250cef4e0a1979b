// The book download keeps at most its limit in memory: a larger document is
// refused as soon as that is known, announced or not.
#include <chrono>
#include <optional>

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include "bridge/qt/QtBookDownloader.h"
#include "tests/support/Standin.h"

using namespace sumberlaras::bridge;
using sumberlaras::testing::Standin;

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;
const std::string kBook = "/pc/swr/buku.pdf";

struct Outcome {
    std::optional<long> status;
    std::shared_ptr<const std::string> body;
    std::optional<std::string> failure;
    qint64 mostReceived = 0;
    bool ended() const { return status || failure; }
};

// One stand-in for the whole program; each download plans its own answer.
Standin& standin() {
    static Standin s;
    return s;
}

Outcome download(QtBookDownloader& downloader, const std::string& path = kBook) {
    auto outcome = std::make_shared<Outcome>();
    BookDownloader::Handlers h;
    h.progress = [outcome](int64_t received, int64_t) {
        outcome->mostReceived = std::max<qint64>(outcome->mostReceived, received);
    };
    h.completed = [outcome](long status, std::shared_ptr<const std::string> body) {
        outcome->status = status;
        outcome->body = std::move(body);
    };
    h.failed = [outcome](const std::string& d) { outcome->failure = d; };
    downloader.get(standin().baseUrl() + path, std::move(h));
    // A bound on waiting, never a measurement.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!outcome->ended() && std::chrono::steady_clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    EXPECT_TRUE(outcome->ended()) << "the download never ended";
    return *outcome;
}

struct CapCase {
    const char* name;
    qint64 size;
    bool announced; // Content-Length sent
    qint64 limit;
    bool kept;
};

void PrintTo(const CapCase& c, std::ostream* os) {
    *os << c.name;
}

class DownloadCap : public ::testing::TestWithParam<CapCase> {};

TEST_P(DownloadCap, KeepsOnlyDocumentsWithinTheLimit) {
    const CapCase& c = GetParam();
    QtBookDownloader downloader(standin().caFile(), nullptr, c.limit);
    standin().serveOversized(kBook, c.size, c.announced);
    const Outcome got = download(downloader);
    if (c.kept) {
        ASSERT_TRUE(got.status) << got.failure.value_or("");
        EXPECT_EQ(*got.status, 200);
        ASSERT_TRUE(got.body);
        EXPECT_EQ(static_cast<qint64>(got.body->size()), c.size);
        EXPECT_EQ(got.body->rfind("%PDF-", 0), 0u);
        return;
    }
    EXPECT_FALSE(got.status) << "a document past the limit was handed over";
    ASSERT_TRUE(got.failure);
    EXPECT_EQ(*got.failure, QtBookDownloader::tooLargeMessage(c.limit));
    // Stopped early: far from the whole document was fetched.
    EXPECT_LT(got.mostReceived, c.size / 2) << got.mostReceived;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DownloadCap,
    ::testing::Values(CapCase{"exactlyTheLimitAnnounced", 256 * kKiB, true, 256 * kKiB, true},
                      CapCase{"exactlyTheLimitChunked", 256 * kKiB, false, 256 * kKiB, true},
                      CapCase{"announcedPastTheLimit", 64 * kMiB, true, 256 * kKiB, false},
                      CapCase{"chunkedPastTheLimit", 64 * kMiB, false, 256 * kKiB, false},
                      // Refused from its Content-Length alone, so the real limit costs nothing.
                      CapCase{"announcedPastTheDefault", QtBookDownloader::kDefaultMaxBytes + 1,
                              true, QtBookDownloader::kDefaultMaxBytes, false}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(DownloadCapDefaults, FiveHundredTwelveMebibytesSaidPlainly) {
    EXPECT_EQ(QtBookDownloader::kDefaultMaxBytes, 512 * kMiB);
    EXPECT_EQ(QtBookDownloader::tooLargeMessage(QtBookDownloader::kDefaultMaxBytes),
              "Ukuran dokumen buku melebihi batas 512 MB, unduhan dihentikan");
}

TEST(DownloadCapDefaults, ARealBookAndAnErrorPageArriveWhole) {
    QtBookDownloader downloader(standin().caFile());
    const Outcome book = download(downloader, "/pc/swr/buku-SL-101.pdf");
    ASSERT_TRUE(book.status) << book.failure.value_or("");
    EXPECT_EQ(*book.status, 200);
    ASSERT_TRUE(book.body);
    EXPECT_EQ(book.body->rfind("%PDF-", 0), 0u);
    EXPECT_NE(book.body->rfind("%%EOF"), std::string::npos);
    // An error status is an answer too, body and all.
    const Outcome missing = download(downloader, "/pc/swr/buku-SL-999.pdf");
    ASSERT_TRUE(missing.status);
    EXPECT_EQ(*missing.status, 404);
    ASSERT_TRUE(missing.body);
    EXPECT_NE(missing.body->find("Dokumen buku tidak ditemukan"), std::string::npos);
}

} // namespace
