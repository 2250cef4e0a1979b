#include "WebEngineBrowserView.h"

#include <QThread>
#include <QUrl>
#include <QWebEnginePage>

namespace sumberlaras {

template <class Fn> void WebEngineBrowserView::onViewThread(Fn fn) {
    if (!view_)
        return;
    if (QThread::currentThread() == view_->thread()) {
        fn(view_.data());
        return;
    }
    QPointer<QWebEngineView> target = view_;
    QMetaObject::invokeMethod(
        view_.data(),
        [target, fn] {
            if (target)
                fn(target.data());
        },
        Qt::QueuedConnection);
}

void WebEngineBrowserView::load(const std::string& url) {
    const QUrl target(QString::fromStdString(url));
    onViewThread([target](QWebEngineView* v) { v->load(target); });
}

void WebEngineBrowserView::reload() {
    onViewThread(
        [](QWebEngineView* v) { v->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache); });
}

void WebEngineBrowserView::runScript(const std::string& script) {
    const QString text = QString::fromStdString(script);
    onViewThread([text](QWebEngineView* v) { v->page()->runJavaScript(text); });
}

} // namespace sumberlaras
