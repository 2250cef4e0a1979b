#pragma once

#include <functional>
#include <string>

#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include "bridge/CatalogueSeams.h"
#include "bridge/MessageTable.h"

namespace sumberlaras::bridge {

// What every catalogue view shares: where the data folder is, whom to trust
// and where messages and outside links go. Values, not references to the
// service client: late messages can arrive while the program closes.
struct CataloguePageRules {
    std::string dataFolder;
    std::string serviceBase; // pages fetch nothing but the data folder and this
    std::string serviceHost; // images of this host may use the service's CA
    std::string caFile;      // empty: nothing beyond the system's trust
    std::function<void(const BridgeMessage&)> deliver;
    std::function<void(const std::string&)> openExternally;
};

// The object a page reaches through QWebChannel as "sumberlaras".
class BridgeEndpoint final : public QObject {
    Q_OBJECT
public:
    BridgeEndpoint(QWebEnginePage* page, const CataloguePageRules& rules);
    Q_INVOKABLE void receive(const QString& name, const QString& argsJson);

private:
    QWebEnginePage* page_;
    const CataloguePageRules& rules_;
};

// Refuses every request of a page but those to the data folder and the
// service's host, whatever markup or script asked for it.
class RequestLock final : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    RequestLock(const CataloguePageRules& rules, QObject* parent);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    const CataloguePageRules& rules_;
};

// A page of the catalogue face: gets `app` only in data-folder pages, never
// navigates out of the data folder and opens no windows.
class CataloguePage final : public QWebEnginePage {
    Q_OBJECT
public:
    CataloguePage(QWebEngineProfile* profile, const CataloguePageRules& rules,
                  QObject* parent = nullptr);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    void installBridge();
    const CataloguePageRules& rules_;
    QWebChannel channel_;
    BridgeEndpoint endpoint_;
    RequestLock requests_;
};

} // namespace sumberlaras::bridge
