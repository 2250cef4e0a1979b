#pragma once

#include <QNetworkAccessManager>
#include <QObject>

#include "bridge/CatalogueSeams.h"

namespace sumberlaras::bridge {

// Fetches a book into memory over HTTPS: 60 s to connect and between data,
// cookies kept, redirects followed, no service headers, nothing on disk.
class QtBookDownloader final : public QObject, public BookDownloader {
    Q_OBJECT
public:
    explicit QtBookDownloader(const std::string& caFile, QObject* parent = nullptr);
    void get(const std::string& url, Handlers handlers) override;

private:
    QNetworkAccessManager manager_;
    std::string caFile_;
};

} // namespace sumberlaras::bridge
