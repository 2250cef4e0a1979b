#pragma once

#include <QJsonArray>
#include <QStringList>
#include <QVariant>
#include <QWebEnginePage>

#include "pages/BrowserView.h"

namespace sumberlaras::testing {

// A web page whose `app` object records every call (name and arguments) as a
// console line, so calls made just before a navigation are not lost. Script
// errors are kept too.
class RecordingPage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit RecordingPage(QObject* parent = nullptr);

    // Each entry: [name, [arguments...]].
    QJsonArray calls;
    QStringList scriptErrors;

    // Loads and waits for the load to finish; false when it failed.
    bool loadAndWait(const QUrl& url);
    // Runs a script in the main frame and waits for its value.
    QVariant eval(const QString& script);
    // Waits until the view has been loaded by someone else (a generator).
    bool waitForLoad();

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;

private:
    int loads_ = 0;
    bool lastLoadOk_ = false;
};

// The generators' view seam over a RecordingPage.
class PageView final : public BrowserView {
public:
    explicit PageView(RecordingPage& page) : page_(page) {}
    void load(const std::string& url) override;
    void reload() override;
    void runScript(const std::string& script) override;

private:
    RecordingPage& page_;
};

} // namespace sumberlaras::testing
