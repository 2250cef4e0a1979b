#pragma once

#include <QNetworkAccessManager>
#include <QObject>

#include "bridge/CatalogueSeams.h"

namespace sumberlaras::bridge {

// Fetches a book into memory over HTTPS: 60 s to connect and between data,
// cookies kept, redirects followed, no service headers, nothing on disk.
// A body larger than `maxBytes` is refused as soon as that is known.
class QtBookDownloader final : public QObject, public BookDownloader {
    Q_OBJECT
public:
    static constexpr qint64 kDefaultMaxBytes = qint64{512} << 20;

    explicit QtBookDownloader(const std::string& caFile, QObject* parent = nullptr,
                              qint64 maxBytes = kDefaultMaxBytes);
    void get(const std::string& url, Handlers handlers) override;

    // What `failed` is told when a body passes the limit.
    static std::string tooLargeMessage(qint64 maxBytes);

private:
    QNetworkAccessManager manager_;
    std::string caFile_;
    qint64 maxBytes_;
};

} // namespace sumberlaras::bridge
