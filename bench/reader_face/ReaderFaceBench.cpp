// The reader face of the whole program against the bare work it cannot avoid, in one run:
//   opening:    BACA pressed to the book's page painted in its tab, against the document
//               fetched by libcurl, one read permission, a PDFium load and a render of the
//               same page at the same size;
//   tab switch: another tab chosen to its page painted, against a PDFium render of that
//               page at the same size;
//   memory:     PSS of the program's processes with three books open, against a bare
//               QWebEngineView process plus the three documents and the page bitmaps the
//               views hold;
//   idle:       CPU time over a minute of the event loop with three books open and their
//               one-second timers running, and the paints meanwhile.
// Prints medians, the absolute figures and their ratios.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <QWebEngineView>

#include "bench/support/BenchLoop.h"
#include "reader/engine/PdfiumHandles.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "service/Envelope.h"
#include "service/HttpTransport.h"
#include "shell/MainWindow.h"
#include "shell/Splash.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/Standin.h"

using namespace sumberlaras;
using sumberlaras::bench::median;
using sumberlaras::bench::spinUntil;
using Steady = std::chrono::steady_clock;
using bridge::ViewId;

namespace {

constexpr const char* kLongBook = "121";
constexpr int kSettleMs = 3000; // after loading, before memory is read

double ms(Steady::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double mib(double kib) {
    return kib / 1024.0;
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// ---- processes, from /proc ----

struct ProcStat {
    pid_t ppid = 0;
    std::string comm;
    long long cpuTicks = 0; // utime + stime
};

std::optional<ProcStat> readStat(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all;
    if (!std::getline(in, all))
        return std::nullopt;
    // The name is in parentheses and may itself hold spaces or parentheses.
    const auto open = all.find('('), close = all.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close + 2 > all.size())
        return std::nullopt;
    ProcStat s;
    s.comm = all.substr(open + 1, close - open - 1);
    std::istringstream rest(all.substr(close + 2));
    std::string state, skip;
    long long ppid = 0, utime = 0, stime = 0;
    rest >> state >> ppid;
    for (int field = 5; field <= 13; ++field)
        rest >> skip;
    rest >> utime >> stime;
    if (!rest)
        return std::nullopt;
    s.ppid = static_cast<pid_t>(ppid);
    s.cpuTicks = utime + stime;
    return s;
}

// The Qt WebEngine processes below `root`: its helpers and theirs (renderers are
// children of the zygote). Other children, such as the stand-in, are not the program's.
std::vector<pid_t> webProcesses(pid_t root) {
    std::multimap<pid_t, std::pair<pid_t, std::string>> children;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || !std::all_of(name.begin(), name.end(), ::isdigit))
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        if (const auto s = readStat(pid))
            children.emplace(s->ppid, std::make_pair(pid, s->comm));
    }
    std::vector<pid_t> out;
    std::vector<pid_t> parents{root};
    while (!parents.empty()) {
        const pid_t parent = parents.back();
        parents.pop_back();
        const auto [first, last] = children.equal_range(parent);
        for (auto it = first; it != last; ++it) {
            // The kernel keeps 15 characters of "QtWebEngineProcess".
            if (it->second.second.rfind("QtWebEngineProc", 0) != 0)
                continue;
            out.push_back(it->second.first);
            parents.push_back(it->second.first);
        }
    }
    return out;
}

// Proportional set size in KiB; 0 when the process is gone.
double pssKib(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Pss:", 0) == 0)
            return std::strtod(line.c_str() + 4, nullptr);
    return 0;
}

std::string processKind(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline");
    std::string arg, kind = "browser";
    while (std::getline(in, arg, '\0'))
        if (arg.rfind("--type=", 0) == 0)
            kind = arg.substr(7);
    return kind;
}

// Each web process by its kind and PSS. Renderers keep the command line of the zygote
// they were forked from.
std::string webSplit() {
    std::string out;
    for (pid_t pid : webProcesses(::getpid())) {
        std::string kind = processKind(pid);
        if (const auto s = readStat(pid); s && kind == "zygote" && processKind(s->ppid) == "zygote")
            kind = "renderer";
        char figure[32];
        std::snprintf(figure, sizeof figure, " %.1f", mib(pssKib(pid)));
        out += (out.empty() ? "" : ", ") + kind + figure;
    }
    return out;
}

struct Footprint {
    double mainKib = 0;
    double webKib = 0;
    size_t webCount = 0;
    std::string webSplit; // MiB of each, by kind
    double total() const { return mainKib + webKib; }
};

Footprint footprint() {
    Footprint f;
    f.mainKib = pssKib(::getpid());
    for (pid_t pid : webProcesses(::getpid())) {
        f.webKib += pssKib(pid);
        ++f.webCount;
    }
    f.webSplit = webSplit();
    return f;
}

struct CpuTicks {
    long long main = 0;
    long long web = 0;
};

CpuTicks cpuTicks() {
    CpuTicks t;
    if (const auto s = readStat(::getpid()))
        t.main = s->cpuTicks;
    for (pid_t pid : webProcesses(::getpid()))
        if (const auto s = readStat(pid))
            t.web += s->cpuTicks;
    return t;
}

// ---- the page bitmaps a view holds ----

// ---- paints ----

// Watches every paint of the program's widgets; once armed, takes the time at which
// a page view has drawn its page.
class PaintWatch final : public QObject {
public:
    struct Painted {
        Steady::time_point at;
        TPdfControl* view = nullptr;
        int page = 0;
        QSize pixels;      // of the page, as rendered
        double drawMs = 0; // the paint event itself
    };

    // The next paint of `only` (any page view when null) that draws a page.
    void arm(TPdfControl* only = nullptr) {
        target_ = only;
        armed_ = true;
        painted.reset();
    }
    void resetCounts() {
        byView.clear();
        byClass.clear();
        total = 0;
    }

    std::optional<Painted> painted;
    std::map<const QObject*, int> byView;
    std::map<std::string, int> byClass;
    int total = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        ++total;
        ++byClass[watched->metaObject()->className()];
        auto* view = qobject_cast<TPdfControl*>(watched);
        if (!view)
            return false;
        ++byView[view];
        if (!armed_ || (target_ && view != target_) || !view->CurrentPage())
            return false;
        // Delivered here, so that the time is taken once the page is drawn.
        const auto start = Steady::now();
        watched->event(event);
        const auto end = Steady::now();
        armed_ = false;
        const qreal ratio = view->devicePixelRatioF();
        painted =
            Painted{end, view, view->PageIndex(),
                    QSize(qRound(view->DrawWidth() * ratio), qRound(view->DrawHeight() * ratio)),
                    ms(end - start)};
        return true;
    }

private:
    TPdfControl* target_ = nullptr;
    bool armed_ = false;
};

// ---- bare work ----

// What PDFium must do for a frame of a page: fill the bitmap white, render into it.
void renderRaw(pdfium::FPDF_PAGE page, QImage& image) {
    const auto& a = pdfium::api();
    pdfium::Lock lock(pdfium::mutex());
    pdfium::BitmapHandle bitmap(image.width(), image.height(), image.bits(),
                                static_cast<int>(image.bytesPerLine()));
    a.FPDFBitmap_FillRect(bitmap.get(), 0, 0, image.width(), image.height(), 0xFFFFFFFF);
    a.FPDF_RenderPageBitmap(bitmap.get(), page, 0, 0, image.width(), image.height(), 0, 0);
}

std::shared_ptr<pdfium::DocumentHandle> openRaw(const std::string& bytes) {
    return std::make_shared<pdfium::DocumentHandle>(
        std::vector<uint8_t>(bytes.begin(), bytes.end()), "");
}

HttpResponse fetch(const std::string& url, const TransportConfig& config) {
    HttpRequest get;
    get.url = url;
    return performRequest(get, config);
}

// ---- the program ----

struct Program {
    testing::ScriptedDialogs dialogs;
    testing::Standin& standin;
    QPointer<TFormSplash> splash;
    std::unique_ptr<TFormMain> main;

    Program(testing::Standin& s, const std::string& dataRoot) : standin(s) {
        SawiraLibOptions o;
        o.dataRoot = dataRoot;
        o.deviceId = "0C0C0C0C";
        splash = new TFormSplash(dialogs, o);
        splash->show();
        spinUntil([&] { return splash->completed(); });
        // No ticker given: the reader's timers are the event loop's, as in the program.
        main = std::make_unique<TFormMain>(*splash, ShellEnvironment{dialogs, nullptr, nullptr});
        splash->hide();
        main->resize(1200, 800);
        main->show();
        main->FormShow();
    }
    ~Program() {
        main.reset();
        delete splash.data();
    }

    TSawiraLib& lib() { return *splash->SawiraLib(); }
    ReaderFace& reader() { return main->reader(); }
    QWebEngineView* web(ViewId id) { return main->webView(id); }

    QVariant js(ViewId id, const QString& script) {
        bool done = false;
        QVariant out;
        web(id)->page()->runJavaScript(script, [&](const QVariant& r) {
            out = r;
            done = true;
        });
        spinUntil([&] { return done; }, 10000);
        return out;
    }
    bool pageReady(ViewId id, const QString& file, const char* also = "true") {
        return web(id)->url().fileName() == file &&
               js(id, QString("document.readyState === 'complete' && typeof app === 'object' && "
                              "(%1)")
                          .arg(also))
                   .toBool();
    }

    bool signIn() {
        if (!spinUntil([&] { return pageReady(bridge::Chromium1, "login.html"); }))
            return false;
        js(bridge::Chromium1, "document.getElementById('email').value='siti@sumberlaras.id';"
                              "document.getElementById('kata_sandi').value='baca1234'; login();");
        return spinUntil([&] {
            return pageReady(bridge::Chromium1, "index.html") && !main->catalogue().FTaskControl;
        });
    }

    // The detail page of book `id` loaded afresh in Chromium3, its read button ready.
    bool showDetail(const std::string& id) {
        web(bridge::Chromium3)->setUrl(QUrl("about:blank"));
        spinUntil([&] { return web(bridge::Chromium3)->url().toString() == "about:blank"; });
        js(bridge::Chromium1, QString::fromStdString("app.detail('" + id + "')"));
        return spinUntil([&] {
            const JsonPtr d = lib().FDetailContentJson.get();
            return d && d->contains("data") && readText((*d)["data"], "id") == id &&
                   pageReady(bridge::Chromium3, "detail.html",
                             "!!document.querySelector('.btn-baca')");
        });
    }
    std::string documentUrl() {
        const JsonPtr d = lib().FDetailContentJson.get();
        return lib().baseUrl() + "/pc/swr/" + readText((*d)["data"], "nama_pc_file");
    }

    // BACA on the detail page shown; the painted page once the book is open in a tab.
    std::optional<PaintWatch::Painted> pressBaca(PaintWatch& watch, Steady::time_point& pressed) {
        bridge::Catalogue& c = main->catalogue();
        const int before = c.readCount;
        watch.arm();
        pressed = Steady::now();
        js(bridge::Chromium3, "document.querySelector('.btn-baca').click()");
        if (!spinUntil([&] { return watch.painted.has_value(); }) ||
            !spinUntil([&] { return !c.isOpeningBook; }) || c.readCount != before + 1)
            return std::nullopt;
        return watch.painted;
    }
    std::optional<PaintWatch::Painted> open(PaintWatch& watch, const std::string& id) {
        Steady::time_point pressed;
        if (!showDetail(id))
            return std::nullopt;
        return pressBaca(watch, pressed);
    }

    size_t returns() {
        size_t n = 0;
        for (const auto& entry : standin.log())
            if (entry.value("path", "") == "/api/wl/bookReturn")
                ++n;
        return n;
    }
    // The book of the active tab back to the service (the dialogs answer Yes).
    bool returnActive() {
        const size_t before = returns();
        reader().btnReturnClick();
        const bool sent = spinUntil([&] { return returns() > before; });
        runEventLoopFor(200); // the service closes the loan
        return sent;
    }
};

// ---- the bare view, in a child process ----

int bareView() {
    QApplication app(
        *new int(1), new char* [1] { const_cast<char*>("bench") });
    QWebEngineView view;
    bool loaded = false;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
    view.resize(1200, 800);
    view.show();
    view.setHtml("<!DOCTYPE html><html><body><p>Perpustakaan</p></body></html>");
    spinUntil([&] { return loaded; });
    runEventLoopFor(kSettleMs);
    const Footprint f = footprint();
    std::printf("%.0f %.0f %zu\n%s\n", f.mainKib, f.webKib, f.webCount, f.webSplit.c_str());
    return 0;
}

Footprint runBareView(const QString& self) {
    QProcess child;
    child.start(self, {"--bare-view"});
    child.waitForFinished(120000);
    std::istringstream out(QString::fromUtf8(child.readAllStandardOutput()).toStdString());
    Footprint f;
    out >> f.mainKib >> f.webKib >> f.webCount >> std::ws;
    std::getline(out, f.webSplit);
    return f;
}

// Every figure, against one signed-in program; 0 when all were measured.
int measure(Program& p, int rounds, int idleSeconds, const std::vector<Footprint>& bareViews) {
    if (!p.signIn()) {
        std::fprintf(stderr, "the program did not reach its home page\n");
        return 1;
    }
    TSawiraLib& lib = p.lib();
    TransportConfig plain = TransportConfig::fromEnvironment();
    plain.caBundle = lib.transport().caBundle;
    PaintWatch watch;
    qApp->installEventFilter(&watch);

    // Opening: the program and the bare work, in turns.
    std::vector<double> opening, bare, bareFetch, barePermission, bareRender;
    PaintWatch::Painted shown;
    size_t longBookBytes = 0;
    for (int i = 0; i < rounds; ++i) {
        if (!p.showDetail(kLongBook)) {
            std::fprintf(stderr, "the detail page of %s was not shown\n", kLongBook);
            return 1;
        }
        const std::string url = p.documentUrl();
        runEventLoopFor(300);
        Steady::time_point pressed;
        const auto painted = p.pressBaca(watch, pressed);
        if (!painted) {
            std::fprintf(stderr, "book %s did not open\n", kLongBook);
            return 1;
        }
        opening.push_back(ms(painted->at - pressed));
        shown = *painted;
        if (!p.returnActive()) {
            std::fprintf(stderr, "book %s was not returned\n", kLongBook);
            return 1;
        }

        const auto start = Steady::now();
        const HttpResponse document = fetch(url, plain);
        const auto fetched = Steady::now();
        const Json permission = lib.ReadPermissionRequest(kLongBook);
        const auto permitted = Steady::now();
        {
            const auto doc = openRaw(document.body);
            pdfium::PageHandle page(doc, painted->page);
            QImage image(painted->pixels, QImage::Format_RGB32);
            renderRaw(page.get(), image);
        }
        const auto rendered = Steady::now();
        if (!document.ok || answerCode(permission) != "200") {
            std::fprintf(stderr, "the bare opening failed: %s\n", document.error.c_str());
            return 1;
        }
        longBookBytes = document.body.size();
        bare.push_back(ms(rendered - start));
        bareFetch.push_back(ms(fetched - start));
        barePermission.push_back(ms(permitted - fetched));
        bareRender.push_back(ms(rendered - permitted));
        lib.BookReturnRequest(readText(permission, "id_baca"), kLongBook,
                              readText(permission, "page_index"));
    }
    std::printf("opening     bare fetch+permission+load+render %.0f ms (%.0f + %.0f + %.0f), "
                "program BACA to page painted %.0f ms, ratio %.2f (goal 1.20, median of %d)\n",
                median(bare), median(bareFetch), median(barePermission), median(bareRender),
                median(opening), median(opening) / median(bare), rounds);
    std::printf("            book %s: %zu bytes, page %d shown at %dx%d px\n", kLongBook,
                longBookBytes, shown.page, shown.pixels.width(), shown.pixels.height());
    std::fflush(stdout);

    // The program with every book returned, for what the books add to it.
    runEventLoopFor(kSettleMs);
    const Footprint noBooks = footprint();

    // Tab switch: two books open, one tab and then the other.
    std::map<std::string, qint64> documentBytes;
    std::map<std::string, std::shared_ptr<pdfium::DocumentHandle>> raw;
    for (const std::string id : {kLongBook, "102"}) {
        if (!p.open(watch, id)) {
            std::fprintf(stderr, "book %s did not open\n", id.c_str());
            return 1;
        }
        const HttpResponse document = fetch(p.documentUrl(), plain);
        documentBytes[id] = static_cast<qint64>(document.body.size());
        raw[id] = openRaw(document.body);
    }
    ReaderFace& reader = p.reader();
    std::vector<double> switches, rawRenders, switchDraws, switchPaints;
    for (int i = 0; i < rounds * 4; ++i) {
        const std::string id = i % 2 ? "102" : kLongBook;
        const int tab = reader.readDict.at(id).TabSheet;
        TPdfControl* view = reader.tab(tab).view;
        if (reader.activeIndex() == tab) {
            std::fprintf(stderr, "tab %d is in front already\n", tab);
            return 1;
        }
        runEventLoopFor(200);
        watch.arm(view);
        const int paintsBefore = watch.byView[view];
        const auto start = Steady::now();
        reader.PageControl1()->setCurrentIndex(tab);
        if (!spinUntil([&] { return watch.painted.has_value(); })) {
            std::fprintf(stderr, "tab %d was not painted\n", tab);
            return 1;
        }
        switches.push_back(ms(watch.painted->at - start));
        switchDraws.push_back(watch.painted->drawMs);

        pdfium::PageHandle page(raw[id], watch.painted->page);
        QImage image(watch.painted->pixels, QImage::Format_RGB32);
        const auto rawStart = Steady::now();
        renderRaw(page.get(), image);
        rawRenders.push_back(ms(Steady::now() - rawStart));
        runEventLoopFor(100);
        switchPaints.push_back(watch.byView[view] - paintsBefore);
    }
    raw.clear();
    std::printf("tab switch  raw render %.2f ms, program switch to page painted %.2f ms "
                "(the paint itself %.2f ms, %.0f paints of the view per switch), "
                "ratio %.2f (goal 0.20, median of %d)\n",
                median(rawRenders), median(switches), median(switchDraws), median(switchPaints),
                median(switches) / median(rawRenders), rounds * 4);
    std::fflush(stdout);

    // Memory: a third book.
    if (!p.open(watch, "103")) {
        std::fprintf(stderr, "book 103 did not open\n");
        return 1;
    }
    documentBytes["103"] = static_cast<qint64>(fetch(p.documentUrl(), plain).body.size());
    runEventLoopFor(kSettleMs);
    const Footprint program = footprint();
    double documents = 0;
    for (const auto& [id, bytes] : documentBytes)
        documents += bytes / 1024.0;
    PageBitmapCache::Held bitmaps;
    std::vector<TPdfControl*> views;
    for (int t = 0; t < 3; ++t)
        if (TPdfControl* v = reader.tab(t).view) {
            views.push_back(v);
            const PageBitmapCache::Held held = v->HeldBitmaps();
            bitmaps.bytes += held.bytes;
            bitmaps.count += held.count;
        }
    // The bare run of median total, with its own split.
    std::vector<Footprint> byTotal = bareViews;
    std::sort(byTotal.begin(), byTotal.end(),
              [](const Footprint& a, const Footprint& b) { return a.total() < b.total(); });
    const Footprint bareView = byTotal[byTotal.size() / 2];
    const double baseline = bareView.total() + documents + bitmaps.bytes / 1024.0;
    std::printf("memory      program %.1f MiB (main %.1f + %zu web processes %.1f); bare view "
                "%.1f MiB (main %.1f + %zu web processes %.1f, median of %zu) + %zu documents "
                "%.2f MiB + %d page bitmaps %.1f MiB = %.1f MiB, ratio %.2f (goal 1.30)\n",
                mib(program.total()), mib(program.mainKib), program.webCount, mib(program.webKib),
                mib(bareView.total()), mib(bareView.mainKib), bareView.webCount,
                mib(bareView.webKib), bareViews.size(), documentBytes.size(), mib(documents),
                bitmaps.count, mib(bitmaps.bytes / 1024.0), mib(baseline),
                program.total() / baseline);
    std::printf("            web processes (MiB): program %s; bare view %s\n",
                program.webSplit.c_str(), bareView.webSplit.c_str());
    std::printf("            program with no book open %.1f MiB (main %.1f + web %.1f): the three "
                "books add %.1f MiB\n",
                mib(noBooks.total()), mib(noBooks.mainKib), mib(noBooks.webKib),
                mib(program.total() - noBooks.total()));
    std::fflush(stdout);

    // Idle: the event loop alone, the six one-second timers running.
    if (views.size() != 3) {
        std::fprintf(stderr, "%zu books open, not three\n", views.size());
        return 1;
    }
    runEventLoopFor(2000);
    watch.resetCounts();
    const CpuTicks before = cpuTicks();
    const auto start = Steady::now();
    runEventLoopFor(idleSeconds * 1000);
    const double seconds = ms(Steady::now() - start) / 1000.0;
    const CpuTicks after = cpuTicks();
    const double tick = 1.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    int viewPaints = 0;
    for (TPdfControl* v : views)
        viewPaints += watch.byView[v];
    std::printf("idle        %.0f s with three books open: main process %.2f %% of a core, "
                "web processes %.2f %%; paints of the page views %d, of any widget %d "
                "(goal 0.50 %%, no paints)\n",
                seconds, 100.0 * (after.main - before.main) * tick / seconds,
                100.0 * (after.web - before.web) * tick / seconds, viewPaints, watch.total);
    for (const auto& [name, count] : watch.byClass)
        std::printf("            painted while idle: %s %d\n", name.c_str(), count);
    for (const auto& dialog : p.dialogs.shown())
        if (dialog.kind != DialogKind::Confirmation)
            std::printf("            shown during the run: %s\n", dialog.text.c_str());
    qApp->removeEventFilter(&watch);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (argc == 2 && std::string(argv[1]) == "--bare-view")
        return bareView();
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int idleSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;

    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("reader-face-bench-" + std::to_string(::getpid()));
    fs::create_directories(root);
    testing::Standin standin;
    standin.exportEnvironment();
    QApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();

    // The bare view first, while this process has no web engine of its own to share
    // pages with it.
    std::vector<Footprint> bareViews;
    for (int i = 0; i < 3; ++i)
        bareViews.push_back(runBareView(self));

    int status = 0;
    {
        Program p(standin, (root / "p").string());
        status = measure(p, rounds, idleSeconds, bareViews);
    }
    standin.stop();
    std::error_code ec;
    fs::remove_all(root, ec);
    return status;
}
