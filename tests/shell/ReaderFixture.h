#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

#include "base/Ticker.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "service/Envelope.h"
#include "tests/shell/ShellFixture.h"

namespace sumberlaras::testing {

// The program against the stand-in, signed in, with the reader's timers in
// the test's hand.
class ReaderFixture : public ShellFixture {
protected:
    static constexpr const char* kLongBook = "121"; // 48 body pages

    ReaderFixture() {
        readerTicker = [] { return std::make_unique<ManualTicker>(); };
        readerClock = &clock;
    }

    ManualClock clock;

    ReaderFace& reader() { return main->reader(); }
    bridge::Catalogue& catalogue() { return main->catalogue(); }
    ManualTicker& idleTimer(int tab) {
        return static_cast<ManualTicker&>(*reader().tab(tab).TimerIdle);
    }
    ManualTicker& statusTimer(int tab) {
        return static_cast<ManualTicker&>(*reader().tab(tab).TimerChecking);
    }
    TPdfControl* view(int tab) { return reader().tab(tab).view; }
    template <class W> W* control(const char* name) {
        return reader().findChild<W*>(QString::fromLatin1(name));
    }
    bool readerInFront() {
        auto* faces = static_cast<QStackedWidget*>(main->PanelReader()->parentWidget());
        return faces->currentWidget() == main->PanelReader();
    }

    void signedIn() {
        startAtLogin();
        signInAndWaitForHome();
    }

    // The detail page of book `id` in Chromium3, ready for its read button.
    // The page shown before is marked, so a click never lands on the page being left.
    bool showDetail(const std::string& id) {
        if (web(ViewId::Chromium3))
            js(ViewId::Chromium3, "window.pageLeft = true");
        js(ViewId::Chromium1, QString::fromStdString("app.detail('" + id + "')"));
        return spinUntil([&] {
            const JsonPtr d = splash->SawiraLib()->FDetailContentJson.get();
            if (!d || !d->contains("data") || readText((*d)["data"], "id") != id)
                return false;
            return pageOf(ViewId::Chromium3) == "detail.html" &&
                   js(ViewId::Chromium3, "!window.pageLeft && document.readyState === 'complete' "
                                         "&& typeof app === 'object' && "
                                         "!!document.querySelector('.btn-baca')")
                       .toBool();
        });
    }
    void pressBaca() { js(ViewId::Chromium3, "document.querySelector('.btn-baca').click()"); }

    // The opening under way has ended, whatever its outcome.
    bool openingEnded() {
        return spinUntil([&] { return !catalogue().isOpeningBook; }, std::chrono::seconds(30));
    }

    // Detail page, BACA, and the book open in a tab.
    bool openFromDetail(const std::string& id) {
        if (!showDetail(id))
            return false;
        const int before = catalogue().readCount;
        pressBaca();
        // A quick service opens the book between two looks at the flag: wait for the count.
        return spinUntil([&] { return catalogue().readCount == before + 1; },
                         std::chrono::seconds(30)) &&
               openingEnded();
    }

    // Requests the stand-in received for `path`, oldest first.
    std::vector<Json> calls(const std::string& path) {
        std::vector<Json> out;
        for (const auto& entry : standin.log())
            if (entry.value("path", "") == path)
                out.push_back(entry);
        return out;
    }
    std::vector<std::string> apiPaths() {
        std::vector<std::string> out;
        for (const auto& entry : standin.log()) {
            const std::string p = entry.value("path", "");
            if (p.starts_with("/api/"))
                out.push_back(p);
        }
        return out;
    }
    bool waitForCalls(const std::string& path, size_t n) {
        return spinUntil([&] { return calls(path).size() >= n; }, std::chrono::seconds(20));
    }

    // The return button of the active tab, answered with `answer`.
    void returnActiveBook(DialogAnswer answer = DialogAnswer::Yes) {
        dialogs.answerNext(answer);
        control<QToolButton>("btnReturn")->click();
    }
};

} // namespace sumberlaras::testing
