#include "bridge/qt/CataloguePage.h"

#include <QFile>
#include <QWebEngineCertificateError>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include "bridge/qt/CertificateTrust.h"
#include "bridge/NavigationPolicy.h"
#include "base/LogCategories.h"

namespace sumberlaras::bridge {

namespace {

QString qtWebChannelScript() {
    QFile f(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Only a page loaded from the data folder gets `app`. The page's path is
// compared decoded: the browser encodes spaces and letters such as "é".
QString guardedAppScript(const std::string& dataFolder) {
    const Json prefix = dataFolder + "/";
    const std::string prefixText = prefix.dump(-1, ' ', false, Json::error_handler_t::replace);
    return QString::fromStdString(
        "if ((function () { try { return location.protocol === 'file:' && "
        "decodeURIComponent(location.pathname).indexOf(" +
        prefixText + ") === 0; } catch (e) { return false; } })()) {\n" + appScript("sumberlaras") +
        "}\n");
}

} // namespace

BridgeEndpoint::BridgeEndpoint(QWebEnginePage* page, const CataloguePageRules& rules)
    : page_(page), rules_(rules) {}

void BridgeEndpoint::receive(const QString& name, const QString& argsJson) {
    const std::string url = page_->url().toString(QUrl::FullyEncoded).toStdString();
    if (!isInDataFolder(url, rules_.dataFolder)) {
        qCInfo(lcBridge, "ignored %s from a page outside the data folder", qPrintable(name));
        return;
    }
    auto message = validateMessage(name.toStdString(), argsJson.toStdString());
    if (!message) {
        qCInfo(lcBridge, "ignored %s: not a message of the table", qPrintable(name));
        return;
    }
    if (rules_.deliver)
        rules_.deliver(*message);
}

RequestLock::RequestLock(const CataloguePageRules& rules, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), rules_(rules) {}

void RequestLock::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl& url = info.requestUrl();
    if (url.scheme() == QLatin1String("data"))
        return; // inline images of the style sheets; they reach nothing
    if (!mayRequest(url.toString(QUrl::FullyEncoded).toStdString(), rules_.dataFolder,
                    rules_.serviceBase)) {
        qCInfo(lcBridge, "request refused: %s", qPrintable(url.toDisplayString()));
        info.block(true);
    }
}

CataloguePage::CataloguePage(QWebEngineProfile* profile, const CataloguePageRules& rules,
                             QObject* parent)
    : QWebEnginePage(profile, parent), rules_(rules), endpoint_(this, rules),
      requests_(rules, this) {
    setUrlRequestInterceptor(&requests_);
    channel_.registerObject(QStringLiteral("sumberlaras"), &endpoint_);
    setWebChannel(&channel_, QWebEngineScript::MainWorld);
    installBridge();

    // A link that asks for a new window: a web address the user clicked opens in the
    // user's browser, as any web link does; nothing else opens anywhere.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) {
                const std::string target =
                    request.requestedUrl().toString(QUrl::FullyEncoded).toStdString();
                if (request.isUserInitiated() && rules_.openExternally &&
                    judgeNavigation(target, rules_.dataFolder, true) ==
                        NavigationVerdict::OpenExternally)
                    rules_.openExternally(target);
                else
                    qCInfo(lcBridge, "new window refused: %s",
                           qPrintable(request.requestedUrl().toDisplayString()));
            });
    connect(this, &QWebEnginePage::certificateError, this, [this](QWebEngineCertificateError e) {
        const std::string host = e.url().host().toStdString();
        std::vector<std::string> chain;
        for (const auto& c : e.certificateChain())
            chain.push_back(c.toDer().toStdString());
        // Only the service's own host, and only under the service's CA.
        const bool trusted = !rules_.caFile.empty() && host == rules_.serviceHost &&
                             chainTrustedFor(chain, host, rules_.caFile);
        qCInfo(lcNet, "certificate of %s %s", host.c_str(), trusted ? "trusted" : "refused");
        if (trusted)
            e.acceptCertificate();
        else
            e.rejectCertificate();
    });
}

void CataloguePage::installBridge() {
    QWebEngineScript channelScript;
    channelScript.setName(QStringLiteral("qwebchannel"));
    channelScript.setSourceCode(qtWebChannelScript());
    channelScript.setInjectionPoint(QWebEngineScript::DocumentCreation);
    channelScript.setWorldId(QWebEngineScript::MainWorld);
    channelScript.setRunsOnSubFrames(false);

    QWebEngineScript app;
    app.setName(QStringLiteral("app"));
    app.setSourceCode(guardedAppScript(rules_.dataFolder));
    app.setInjectionPoint(QWebEngineScript::DocumentCreation);
    app.setWorldId(QWebEngineScript::MainWorld);
    app.setRunsOnSubFrames(false);

    scripts().insert(channelScript);
    scripts().insert(app);
}

bool CataloguePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool) {
    // Every form goes through `app`: a form the browser submits itself (its
    // handler not yet attached) would put the password in the address.
    if (type == NavigationTypeFormSubmitted) {
        qCInfo(lcBridge, "form submission refused");
        return false;
    }
    const std::string target = url.toString(QUrl::FullyEncoded).toStdString();
    switch (judgeNavigation(target, rules_.dataFolder, type == NavigationTypeLinkClicked)) {
    case NavigationVerdict::Allow:
        return true;
    case NavigationVerdict::OpenExternally:
        if (rules_.openExternally)
            rules_.openExternally(target);
        return false;
    case NavigationVerdict::Ignore:
        break;
    }
    qCInfo(lcBridge, "navigation refused: %s", qPrintable(url.toDisplayString()));
    return false;
}

QWebEnginePage* CataloguePage::createWindow(WebWindowType) {
    return nullptr; // pages open no windows
}

} // namespace sumberlaras::bridge
