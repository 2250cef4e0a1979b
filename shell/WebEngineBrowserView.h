#pragma once

#include <functional>

#include <QPointer>
#include <QStringList>
#include <QWebEngineView>

#include "pages/BrowserView.h"

namespace sumberlaras {

// BrowserView over a QWebEngineView made on first use. Safe to call from a
// worker thread: the call is carried out on the owner's thread, and dropped
// once the view is gone.
class WebEngineBrowserView final : public BrowserView {
public:
    using ViewFactory = std::function<QWebEngineView*()>; // null: no view any more
    WebEngineBrowserView(QObject* owner, ViewFactory make);
    ~WebEngineBrowserView() override {
        QObject::disconnect(loaded_);
        QObject::disconnect(startedConnection_);
    }
    void load(const std::string& url) override;
    void reload() override;
    void runScript(const std::string& script) override;
    // Makes the view on its first call; on the owner's thread only.
    QWebEngineView* view();

private:
    template <class Fn> void onViewThread(Fn fn);
    QObject* owner_;
    ViewFactory make_;
    bool made_ = false;
    QPointer<QWebEngineView> view_;
    // A script asked for after load() belongs to the page being loaded: it
    // waits for that page instead of running in the one going away.
    bool loading_ = false;
    bool started_ = false; // the asked-for load has begun
    QStringList pendingScripts_;
    QMetaObject::Connection loaded_;
    QMetaObject::Connection startedConnection_;
};

} // namespace sumberlaras
