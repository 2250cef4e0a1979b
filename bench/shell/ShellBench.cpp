// Timed comparisons of the catalogue face against bare Qt WebEngine, in one run:
//   startup: process start to the login page shown, against a process that
//            shows one local page in a bare view (each in a fresh process):
//            a one-line page, and the login page the program wrote, with its
//            style sheets, scripts and fonts;
//   detail:  a click on a book card to the detail page shown, against the
//            bare detail request plus loading the same page file in a view.
// Prints medians and their ratios.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QWebEngineView>

#include "bench/support/BenchLoop.h"
#include "shell/MainWindow.h"
#include "shell/Splash.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/Standin.h"

using namespace sumberlaras;
using sumberlaras::bench::js;
using sumberlaras::bench::median;
using sumberlaras::bench::spinUntil;
using Steady = std::chrono::steady_clock;

namespace {

bool pageReady(QWebEngineView* v, const QString& file) {
    return v->url().fileName() == file &&
           js(v, "document.readyState === 'complete' && typeof app === 'object'").toBool();
}

// Child: a bare view showing one local page.
int bareStartup(const std::string& page) {
    const auto start = Steady::now();
    QApplication app(
        *new int(1), new char* [1] { const_cast<char*>("bench") });
    QWebEngineView view;
    bool loaded = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
    view.resize(1200, 800);
    view.show();
    view.load(QUrl::fromLocalFile(QString::fromStdString(page)));
    spinUntil([&] { return loaded; });
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(Steady::now() - start).count());
    return 0;
}

struct Program {
    testing::ScriptedDialogs dialogs;
    QPointer<TFormSplash> splash;
    std::unique_ptr<TFormMain> main;

    explicit Program(const std::string& dataRoot) {
        SawiraLibOptions o;
        o.dataRoot = dataRoot;
        o.deviceId = "0B0B0B0B";
        // The order of the program's entry: the main window is made while the
        // version check runs, and shown once it has passed.
        splash = new TFormSplash(dialogs, o);
        splash->show();
        main = std::make_unique<TFormMain>(*splash, ShellEnvironment{dialogs, nullptr, nullptr});
        spinUntil([&] { return splash->completed(); });
        splash->hide();
        main->resize(1200, 800);
        main->show();
        main->FormShow();
    }
    ~Program() {
        main.reset();
        delete splash.data();
    }
    QWebEngineView* web(bridge::ViewId id) { return main->webView(id); }
};

// Child: the program up to its login page.
// Keeps a copy of its data folder (the login page and the assets it uses) for the
// second baseline: a bare view showing that same page.
int programStartup(const std::string& dataRoot, const std::string& keepPagesIn) {
    const auto start = Steady::now();
    QApplication app(
        *new int(1), new char* [1] { const_cast<char*>("bench") });
    Program p(dataRoot);
    spinUntil([&] { return pageReady(p.web(bridge::Chromium1), "login.html"); });
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(Steady::now() - start).count());
    std::error_code ec;
    if (!std::filesystem::exists(keepPagesIn, ec))
        std::filesystem::copy(p.splash->SawiraLib()->FPath, keepPagesIn,
                              std::filesystem::copy_options::recursive, ec);
    return 0;
}

double runChild(const QString& self, const QStringList& args) {
    QProcess child;
    child.start(self, args);
    child.waitForFinished(120000);
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed().toDouble();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (argc == 3 && std::string(argv[1]) == "--bare")
        return bareStartup(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "--program")
        return programStartup(argv[2], argv[3]);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("shell-bench-" + std::to_string(::getpid()));
    fs::create_directories(root);
    testing::Standin standin;
    standin.exportEnvironment();
    const std::string barePage = (root / "one.html").string();
    std::ofstream(barePage) << "<!DOCTYPE html><html><body><p>Perpustakaan</p></body></html>";

    const QString self = QString::fromLocal8Bit(argv[0]);
    const fs::path keptPages = root / "kept";
    std::vector<double> bare, bareLogin, program;
    for (int i = 0; i < rounds; ++i) {
        program.push_back(
            runChild(self, {"--program", QString::fromStdString((root / "p").string()),
                            QString::fromStdString(keptPages.string())}));
        bare.push_back(runChild(self, {"--bare", QString::fromStdString(barePage)}));
        bareLogin.push_back(runChild(
            self, {"--bare", QString::fromStdString((keptPages / "login.html").string())}));
    }
    std::printf("startup  bare view %.0f ms, program %.0f ms, ratio %.2f (median of %d)\n",
                median(bare), median(program), median(program) / median(bare), rounds);
    std::printf("startup  bare view with the same login page %.0f ms, ratio %.2f\n",
                median(bareLogin), median(program) / median(bareLogin));

    // Detail: one signed-in program, and one bare view beside it.
    QApplication app(argc, argv);
    std::vector<double> click, baseline;
    {
        Program p((root / "d").string());
        spinUntil([&] { return pageReady(p.web(bridge::Chromium1), "login.html"); });
        js(p.web(bridge::Chromium1),
           "document.getElementById('email').value='siti@sumberlaras.id';"
           "document.getElementById('kata_sandi').value='baca1234'; login();");
        spinUntil([&] {
            return pageReady(p.web(bridge::Chromium1), "index.html") &&
                   !p.main->catalogue().FTaskControl;
        });
        const QString card =
            js(p.web(bridge::Chromium1),
               "(function(){var a=document.querySelector(\"[onClick^='app.detail(']\");"
               "return a ? a.getAttribute('onClick') : ''})()")
                .toString();
        const std::string id = card.section('\'', 1, 1).toStdString();
        TSawiraLib& lib = *p.splash->SawiraLib();
        QWebEngineView bareView;
        bareView.resize(1200, 800);
        bareView.show();
        for (int i = 0; i < rounds * 2; ++i) {
            // The program: click to the detail page shown.
            p.web(bridge::Chromium3)->setUrl(QUrl("about:blank"));
            spinUntil([&] { return p.web(bridge::Chromium3)->url().toString() == "about:blank"; });
            auto start = Steady::now();
            js(p.web(bridge::Chromium1), card);
            spinUntil([&] { return pageReady(p.web(bridge::Chromium3), "detail.html"); });
            click.push_back(
                std::chrono::duration<double, std::milli>(Steady::now() - start).count());

            // The baseline: the request, then the same file in a bare view.
            bool loaded = false;
            auto c = QObject::connect(&bareView, &QWebEngineView::loadFinished,
                                      [&](bool) { loaded = true; });
            start = Steady::now();
            lib.DetailContentRequest(id);
            bareView.load(QUrl::fromLocalFile(QString::fromStdString(lib.FPath + "/detail.html")));
            spinUntil([&] { return loaded; });
            baseline.push_back(
                std::chrono::duration<double, std::milli>(Steady::now() - start).count());
            QObject::disconnect(c);
        }
    }
    std::printf(
        "detail   bare request+load %.0f ms, program click %.0f ms, ratio %.2f (median of %d)\n",
        median(baseline), median(click), median(click) / median(baseline), rounds * 2);
    standin.stop();
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
