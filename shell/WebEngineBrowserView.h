#pragma once

#include <QPointer>
#include <QWebEngineView>

#include "pages/BrowserView.h"

namespace sumberlaras {

// BrowserView over a QWebEngineView. Safe to call from a worker thread: the
// call is carried out on the view's thread, and dropped once the view is gone.
class WebEngineBrowserView final : public BrowserView {
public:
    explicit WebEngineBrowserView(QWebEngineView* view) : view_(view) {}
    void load(const std::string& url) override;
    void reload() override;
    void runScript(const std::string& script) override;
    QWebEngineView* view() const { return view_; }

private:
    template <class Fn> void onViewThread(Fn fn);
    QPointer<QWebEngineView> view_;
};

} // namespace sumberlaras
