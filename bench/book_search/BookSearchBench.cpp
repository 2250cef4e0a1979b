// The in-book search on a 1,000-page book, against the PDFium work it cannot avoid:
//   scan per page  / raw text extraction of the same pages (load page, load text page,
//                    read every character, close), measured in alternating rounds;
//   longest gap between the UI thread's events while a scan runs on a worker, the
//   view painting and reading its page's text meanwhile / the same loop with no scan.
// Usage: book_search_bench [rounds]
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench/support/BookLikePdf.h"
#include "bench/support/Median.h"
#include "bench/support/RawExtraction.h"
#include "reader/engine/PdfiumHandles.h"
#include "reader/qt/PdfControl.h"
#include "reader/session/BookSearch.h"

namespace sumberlaras {
namespace {

constexpr int kPages = 1000;
using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// The scan as the search worker runs it, for a word on no page: every page is read.
double scan(const TPdfTextReader& reader) {
    const auto start = Steady::now();
    const reader::ScanResult r =
        reader::scanPages(u"perpustakaan", true, 0, reader.PageCount(),
                          [&reader](int page) { return reader.PageText(page); }, {});
    const double ms = msSince(start);
    if (r.end != reader::ScanEnd::NotFound)
        std::fprintf(stderr, "unexpected scan result\n");
    return ms / (kPages - 1);
}

// The longest time between two turns of the UI thread's loop while `work` runs
// on a worker (or for `idleMs` without one). Each turn reads the shown page's
// text and repaints the view, so the UI contends for PDFium's lock; with
// `turnPages`, every fourth turn also shows the next page, a fresh render.
double longestGap(TPdfControl& view, const std::function<void()>& work, int idleMs,
                  bool turnPages) {
    std::atomic<bool> done{false};
    std::thread worker;
    if (work)
        worker = std::thread([&] {
            work();
            done = true;
        });
    double longest = 0;
    int turn = 0;
    bool first = true; // gaps count from the first turn, not from the timer's start
    auto last = Steady::now();
    QElapsedTimer idle;
    idle.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const auto now = Steady::now();
        if (!first)
            longest =
                std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
        first = false;
        if (TPdfPage* page = view.CurrentPage())
            page->GetCharCount();
        if (turnPages && ++turn % 4 == 0)
            view.setPageIndex((view.PageIndex() + 1) % 20);
        view.repaint();
        last = Steady::now();
    });
    tick.start(0);
    while (work ? !done.load() : idle.elapsed() < idleMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    tick.stop();
    if (worker.joinable())
        worker.join();
    return longest;
}

} // namespace
} // namespace sumberlaras

int main(int argc, char** argv) {
    using namespace sumberlaras;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    const auto made = Steady::now();
    const QByteArray bytes = bench::bookLikePdf(kPages);
    std::printf("book: %d pages, %.1f MB, written in %.1f s\n", kPages, bytes.size() / 1e6,
                msSince(made) / 1000);

    auto doc = std::make_shared<pdfium::DocumentHandle>(
        std::vector<uint8_t>(bytes.begin(), bytes.end()), "");
    const TPdfTextReader reader(doc);
    std::vector<double> raw, scanned;
    for (int r = 0; r < rounds; ++r) {
        raw.push_back(bench::rawTextExtraction(doc, 1, kPages) / (kPages - 1));
        scanned.push_back(scan(reader));
    }
    const double rawMs = bench::median(raw), scanMs = bench::median(scanned);
    std::printf("scan per page: %.3f ms; raw extraction per page: %.3f ms; ratio %.2f "
                "(goal <= 1.2)\n",
                scanMs, rawMs, scanMs / rawMs);

    TPdfControl view;
    view.resize(900, 1100);
    view.show();
    QBuffer buffer(const_cast<QByteArray*>(&bytes));
    buffer.open(QIODevice::ReadOnly);
    view.LoadFromStream(buffer);
    view.repaint();
    for (const bool turnPages : {false, true}) {
        longestGap(view, nullptr, 500, turnPages); // first paints and text pages, untimed
        std::vector<double> withScan, without, scanWall;
        for (int r = 0; r < rounds; ++r) {
            const auto start = Steady::now();
            withScan.push_back(longestGap(
                view, [&reader] { scan(reader); }, 0, turnPages));
            const int scanMsTotal = static_cast<int>(msSince(start));
            scanWall.push_back(scanMsTotal);
            without.push_back(longestGap(view, nullptr, scanMsTotal, turnPages));
        }
        const double gap = bench::median(withScan), quiet = bench::median(without);
        std::printf("longest UI gap during a scan, %s: %.1f ms (worst round %.1f ms); without a "
                    "scan: %.1f ms; the scan adds %.1f ms (goal: under one 16 ms frame)\n",
                    turnPages ? "repainting and turning pages" : "repainting the shown page", gap,
                    *std::max_element(withScan.begin(), withScan.end()), quiet, gap - quiet);
        std::printf("  the scan meanwhile took %.0f ms (%.0f ms with the UI idle)\n",
                    bench::median(scanWall), scanMs * (kPages - 1));
    }
    return 0;
}
