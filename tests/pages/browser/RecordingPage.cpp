#include "tests/pages/browser/RecordingPage.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineCertificateError>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace sumberlaras::testing {

namespace {

constexpr auto kAppStub = R"JS(
(function () {
    var record = function (name) {
        return function () {
            console.log('APPCALL ' + JSON.stringify([name, Array.prototype.slice.call(arguments)]));
        };
    };
    window.app = new Proxy({}, {
        get: function (target, name) { return typeof name === 'string' ? record(name) : undefined; }
    });
})();
)JS";

constexpr int kLoadWaitMs = 20000;

} // namespace

RecordingPage::RecordingPage(QObject* parent) : QWebEnginePage(parent) {
    QWebEngineScript stub;
    stub.setName("app-stub");
    stub.setInjectionPoint(QWebEngineScript::DocumentCreation);
    stub.setWorldId(QWebEngineScript::MainWorld);
    stub.setRunsOnSubFrames(false);
    stub.setSourceCode(QString::fromUtf8(kAppStub));
    scripts().insert(stub);
    connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        lastLoadOk_ = ok;
        ++loads_;
    });
    // The stand-in's certificate comes from its own authority; trust it for the loopback host only.
    connect(this, &QWebEnginePage::certificateError, this, [](QWebEngineCertificateError error) {
        if (error.url().host() == "127.0.0.1")
            error.acceptCertificate();
        else
            error.rejectCertificate();
    });
}

bool RecordingPage::waitForLoad() {
    const int before = loads_;
    return QTest::qWaitFor([&] { return loads_ > before; }, kLoadWaitMs) && lastLoadOk_;
}

bool RecordingPage::loadAndWait(const QUrl& url) {
    const int before = loads_;
    load(url);
    if (!QTest::qWaitFor([&] { return loads_ > before; }, kLoadWaitMs))
        return false;
    return lastLoadOk_;
}

QVariant RecordingPage::eval(const QString& script) {
    QVariant result;
    bool done = false;
    runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kLoadWaitMs))
        qWarning("script did not answer: %s", qPrintable(script.left(200)));
    return result;
}

void RecordingPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                             const QString& message, int line,
                                             const QString& source) {
    if (message.startsWith("APPCALL ")) {
        calls.append(QJsonDocument::fromJson(message.mid(8).toUtf8()).array());
        return;
    }
    if (level == ErrorMessageLevel)
        scriptErrors << QString("%1:%2: %3").arg(source).arg(line).arg(message);
}

void PageView::load(const std::string& url) {
    page_.load(QUrl(QString::fromStdString(url)));
}

void PageView::reload() {
    page_.triggerAction(QWebEnginePage::Reload);
}

void PageView::runScript(const std::string& script) {
    page_.runJavaScript(QString::fromStdString(script));
}

} // namespace sumberlaras::testing
