#include "QtBookDownloader.h"

#include <QElapsedTimer>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslConfiguration>

#include "shell/LogCategories.h"

namespace sumberlaras::bridge {

QtBookDownloader::QtBookDownloader(const std::string& caFile, QObject* parent)
    : QObject(parent), caFile_(caFile) {
    manager_.setCookieJar(new QNetworkCookieJar(&manager_));
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
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
    connect(reply, &QNetworkReply::downloadProgress, this, [shared](qint64 got, qint64 total) {
        if (shared->progress)
            shared->progress(got, total);
    });
    connect(reply, &QNetworkReply::finished, this, [reply, shared, timer, target] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        qCInfo(lcNet, "GET %s %d %lld ms", qPrintable(target.path()), status,
               static_cast<long long>(timer->elapsed()));
        // An HTTP answer, even an error status, is a completed download; only
        // a transport failure is an error.
        if (status != 0) {
            auto body = std::make_shared<const std::string>(reply->readAll().toStdString());
            if (shared->completed)
                shared->completed(status, std::move(body));
            return;
        }
        if (shared->failed)
            shared->failed(reply->errorString().toStdString());
    });
}

} // namespace sumberlaras::bridge
