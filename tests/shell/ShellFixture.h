#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QVariant>
#include <QWebEnginePage>
#include <gtest/gtest.h>

#include "bridge/NavigationPolicy.h"
#include "shell/MainWindow.h"
#include "shell/Splash.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SpinUntil.h"
#include "tests/support/Standin.h"

namespace sumberlaras::testing {

using bridge::ViewId;

// The whole program in this process against a fresh stand-in: splash, the
// version check, the main window and its first page.
class ShellFixture : public ::testing::Test {
protected:
    Standin standin = Standin::forThisProcess();
    ScriptedDialogs dialogs;
    std::filesystem::path root;
    QPointer<TFormSplash> splash;
    std::unique_ptr<TFormMain> main;
    std::vector<std::string> updaterCalls;
    std::vector<std::string> externalOpens;
    std::vector<QString> openedFiles; // saved files the desktop was asked to open
    // The reader's one-second timers; null: real timers.
    std::function<std::unique_ptr<Ticker>()> readerTicker;
    // The reader's outbox clock; null: the steady clock.
    const Clock* readerClock = nullptr;

    ShellFixture() {
        root =
            std::filesystem::temp_directory_path() /
            ("sumberlaras-shell-" + std::to_string(::getpid()) + "-" + std::to_string(++serial()));
        std::filesystem::create_directories(root);
        standin.exportEnvironment();
    }
    ~ShellFixture() override {
        main.reset();
        delete splash.data();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    static int& serial() {
        static int n = 0;
        return n;
    }

    // The folder that holds the data folder; users' names put spaces and
    // letters such as "é" in it.
    std::string dataHome = "appdata";

    SawiraLibOptions options(const std::string& device = "0A1B2C3D") {
        SawiraLibOptions o;
        o.dataRoot = (root / dataHome).string();
        o.deviceId = device;
        return o;
    }

    // The reader's journal, kept across a restart within one test; a test
    // may name another folder.
    std::string journalDir;
    std::string journalFolder() const {
        return journalDir.empty() ? (root / "pending").string() : journalDir;
    }

    // Shows the splash and waits for the version check.
    void startSplash() {
        splash = new TFormSplash(dialogs, options());
        splash->show();
        ASSERT_TRUE(spinUntil([&] { return splash->completed(); }));
    }

    // Splash, main window and FormShow; true when the window went on.
    bool startProgram() {
        startSplash();
        main = std::make_unique<TFormMain>(
            *splash,
            ShellEnvironment{dialogs, [this](const std::string& u) { externalOpens.push_back(u); },
                             [this](const std::string& u) { updaterCalls.push_back(u); }, nullptr,
                             readerTicker,
                             [this](const QString& path) { openedFiles.push_back(path); },
                             journalFolder(), readerClock},
            nullptr, nullptr);
        splash->hide();
        main->resize(1200, 800);
        main->show();
        return main->FormShow();
    }

    void startAtLogin() {
        ASSERT_TRUE(startProgram());
        ASSERT_TRUE(waitForPage(bridge::Chromium1, "login.html"));
    }

    QWebEngineView* web(ViewId id) { return main->webView(id); }
    std::string pageOf(ViewId id) { return web(id)->url().fileName().toStdString(); }

    QVariant js(ViewId id, const QString& script) {
        bool done = false;
        QVariant result;
        web(id)->page()->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        spinUntil([&] { return done; }, std::chrono::seconds(10));
        return result;
    }

    // The page `file` is shown in `id`, fully loaded, with `app` ready.
    bool waitForPage(ViewId id, const std::string& file) {
        return spinUntil([&] {
            if (pageOf(id) != file)
                return false;
            return js(id, "document.readyState === 'complete' && typeof app === 'object'").toBool();
        });
    }

    // A page of the test's own, written into the data folder and shown in Chromium2.
    bool showOwnPage(const std::string& name, const std::string& html) {
        const std::string path = splash->SawiraLib()->FPath + "/" + name;
        std::ofstream(path) << html;
        main->view(bridge::Chromium2).load(bridge::fileUrl(path));
        main->bringBrowserToFront(bridge::Chromium2);
        return waitForPage(bridge::Chromium2, name);
    }

    // The `onClick` of the first element in `id` whose handler starts with `call`.
    QString firstCall(ViewId id, const std::string& call) {
        return js(id, QString::fromStdString(
                          "(function(){var a=document.querySelector(\"[onClick^='" + call +
                          "']\");return a ? a.getAttribute('onClick') : ''})()"))
            .toString();
    }

    bool waitForDialogs(size_t n) {
        return spinUntil([&] { return dialogs.shown().size() >= n; });
    }

    void signIn(const std::string& user = "siti@sumberlaras.id",
                const std::string& pass = "baca1234") {
        js(bridge::Chromium1,
           QString::fromStdString("document.getElementById('email').value = '" + user +
                                  "';"
                                  "document.getElementById('kata_sandi').value = '" +
                                  pass + "'; login();"));
    }

    void signInAndWaitForHome() {
        signIn();
        ASSERT_TRUE(waitForPage(bridge::Chromium1, "index.html"));
        ASSERT_TRUE(spinUntil([&] { return !main->catalogue().FTaskControl; }));
    }

    bool front(ViewId id) {
        auto* stack = static_cast<QStackedWidget*>(main->panelBrowser());
        return stack->currentWidget() == web(id);
    }
};

} // namespace sumberlaras::testing
