#include "shell/WebEngineBrowserView.h"

#include <utility>

#include <QThread>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace sumberlaras {

namespace {
// Runs the script once the document has fully loaded.
QString whenComplete(const QString& script) {
    return QStringLiteral("(function(){var f=function(){") + script +
           QStringLiteral("\n};if(document.readyState==='complete')f();"
                          "else window.addEventListener('load',f);})();");
}
const QString kPendingName = QStringLiteral("pending-after-load");

void removePending(QWebEngineView* v) {
    if (!v)
        return;
    for (const QWebEngineScript& s : v->page()->scripts().find(kPendingName))
        v->page()->scripts().remove(s);
}
} // namespace

template <class Fn> void WebEngineBrowserView::onViewThread(Fn fn) {
    if (QThread::currentThread() == owner_->thread()) {
        if (QWebEngineView* v = view())
            fn(v);
        return;
    }
    // The owner also owns this adapter: calls still queued when it goes are dropped with it.
    QMetaObject::invokeMethod(
        owner_,
        [this, fn] {
            if (QWebEngineView* v = view())
                fn(v);
        },
        Qt::QueuedConnection);
}

WebEngineBrowserView::WebEngineBrowserView(QObject* owner, ViewFactory make)
    : owner_(owner), make_(std::move(make)) {}

QWebEngineView* WebEngineBrowserView::view() {
    if (made_)
        return view_.data();
    QWebEngineView* v = make_();
    if (!v)
        return nullptr;
    made_ = true;
    view_ = v;
    startedConnection_ =
        QObject::connect(v, &QWebEngineView::loadStarted, v, [this] { started_ = true; });
    loaded_ = QObject::connect(v, &QWebEngineView::loadFinished, v, [this](bool) {
        if (!loading_ || !started_)
            return; // the end of an earlier load
        loading_ = false;
        pendingScripts_.clear();
        removePending(view_.data());
    });
    return v;
}

void WebEngineBrowserView::load(const std::string& url) {
    const QUrl target(QString::fromStdString(url));
    onViewThread([this, target](QWebEngineView* v) {
        loading_ = true;
        started_ = false;
        pendingScripts_.clear();
        removePending(v);
        v->load(target);
    });
}

void WebEngineBrowserView::reload() {
    onViewThread([this](QWebEngineView* v) {
        loading_ = true;
        started_ = false;
        pendingScripts_.clear();
        removePending(v);
        v->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    });
}

void WebEngineBrowserView::runScript(const std::string& script) {
    const QString text = QString::fromStdString(script);
    onViewThread([this, text](QWebEngineView* v) {
        if (!loading_) {
            v->page()->runJavaScript(text);
            return;
        }
        // Runs in the new document as soon as it is parsed.
        pendingScripts_.push_back(text);
        removePending(v);
        QWebEngineScript pending;
        pending.setName(kPendingName);
        pending.setInjectionPoint(QWebEngineScript::DocumentReady);
        pending.setWorldId(QWebEngineScript::MainWorld);
        pending.setRunsOnSubFrames(false);
        pending.setSourceCode(whenComplete(pendingScripts_.join(QStringLiteral(";\n"))));
        v->page()->scripts().insert(pending);
    });
}

} // namespace sumberlaras
