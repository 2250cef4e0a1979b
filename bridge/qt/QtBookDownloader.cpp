#include "bridge/qt/QtBookDownloader.h"

#include <algorithm>

#include <QElapsedTimer>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslConfiguration>

#include "base/LogCategories.h"

namespace sumberlaras::bridge {

namespace {

std::string sizeText(qint64 bytes) {
    constexpr qint64 kKiB = 1024;
    constexpr qint64 kMiB = kKiB * 1024;
    if (bytes >= kMiB && bytes % kMiB == 0)
        return std::to_string(bytes / kMiB) + " MB";
    if (bytes >= kKiB && bytes % kKiB == 0)
        return std::to_string(bytes / kKiB) + " KB";
    return std::to_string(bytes) + " byte";
}

// One download's body, kept only until it is handed over.
struct Download {
    std::string body;
    bool tooLarge = false;
};

} // namespace

QtBookDownloader::QtBookDownloader(const std::string& caFile, QObject* parent, qint64 maxBytes)
    : QObject(parent), caFile_(caFile), maxBytes_(maxBytes) {
    manager_.setCookieJar(new QNetworkCookieJar(&manager_));
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

std::string QtBookDownloader::tooLargeMessage(qint64 maxBytes) {
    return "Ukuran dokumen buku melebihi batas " + sizeText(maxBytes) + ", unduhan dihentikan";
}

void QtBookDownloader::get(const std::string& url, Handlers handlers) {
    const QUrl target(QString::fromStdString(url));
    QNetworkRequest request(target);
    request.setTransferTimeout(60000);
    if (!caFile_.empty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(QSslCertificate::fromPath(QString::fromStdString(caFile_)));
        request.setSslConfiguration(ssl);
    }
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    QNetworkReply* reply = manager_.get(request);
    auto shared = std::make_shared<Handlers>(std::move(handlers));
    auto download = std::make_shared<Download>();
    const qint64 limit = maxBytes_;
    // Stops the transfer; `finished` follows at once and reports it.
    auto refuse = [reply, download] {
        download->tooLarge = true;
        download->body = std::string();
        reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, download, limit, refuse] {
        bool known = false;
        const qint64 announced =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (!known || announced < 0)
            return;
        if (announced > limit) {
            refuse();
            return;
        }
        download->body.reserve(static_cast<size_t>(announced));
    });
    // Read as it arrives, so that the limit holds for what is kept, not only for the end.
    auto take = [reply, download, limit, refuse] {
        if (download->tooLarge)
            return;
        const qint64 available = reply->bytesAvailable();
        if (available <= 0)
            return;
        if (static_cast<qint64>(download->body.size()) + available > limit) {
            refuse();
            return;
        }
        const size_t kept = download->body.size();
        download->body.resize(kept + static_cast<size_t>(available));
        const qint64 got = reply->read(download->body.data() + kept, available);
        download->body.resize(kept + static_cast<size_t>(std::max<qint64>(got, 0)));
    };
    connect(reply, &QNetworkReply::readyRead, this, take);
    connect(reply, &QNetworkReply::downloadProgress, this, [shared](qint64 got, qint64 total) {
        if (shared->progress)
            shared->progress(got, total);
    });
    connect(reply, &QNetworkReply::finished, this,
            [reply, shared, timer, target, download, limit, take] {
                reply->deleteLater();
                const int status =
                    reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                qCInfo(lcNet, "GET %s %d %lld ms", qPrintable(target.path()), status,
                       static_cast<long long>(timer->elapsed()));
                if (!download->tooLarge)
                    take(); // whatever arrived after the last readyRead
                if (download->tooLarge) {
                    qCWarning(lcNet, "GET %s: the body passed %lld bytes and was dropped",
                              qPrintable(target.path()), static_cast<long long>(limit));
                    if (shared->failed)
                        shared->failed(tooLargeMessage(limit));
                    return;
                }
                // An HTTP answer, even an error status, is a completed download; only
                // a transport failure is an error.
                if (status != 0) {
                    auto body = std::make_shared<const std::string>(std::move(download->body));
                    if (shared->completed)
                        shared->completed(status, std::move(body));
                    return;
                }
                if (shared->failed)
                    shared->failed(reply->errorString().toStdString());
            });
}

} // namespace sumberlaras::bridge
