// Page view timings, each against the raw PDFium work it cannot avoid, in one run:
//   page turn (write PageIndex, frame composed)   / raw render of the same page and size
//   page jump to a page not rendered ahead         / raw render, and raw load + render
//   repaint with selection, marks and a paint hook / raw render
//   open (bytes in memory -> first frame)          / raw load + first render
// Every repetition is one operation, so the medians and 95th percentiles are per operation.
#include "bench/support/BookLikePdf.h"
#include "reader/engine/PdfiumHandles.h"
#include "reader/qt/PdfControl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sumberlaras {
namespace {

constexpr int Repetitions = 60;
constexpr int PageCount = 6;

const QByteArray& bookBytes() {
    static const QByteArray bytes = bench::bookLikePdf(PageCount);
    return bytes;
}

std::unique_ptr<TPdfControl> shownView() {
    auto view = std::make_unique<TPdfControl>();
    view->resize(900, 1100);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        std::fprintf(stderr, "the view was never shown: frames will not be composed\n");
    QBuffer buffer(const_cast<QByteArray*>(&bookBytes()));
    buffer.open(QIODevice::ReadOnly);
    view->LoadFromStream(buffer);
    view->repaint();
    return view;
}

// What PDFium must do for a frame of a page: fill the bitmap white, render into it.
void renderRaw(const pdfium::BitmapHandle& bitmap, pdfium::FPDF_PAGE page, int w, int h) {
    const auto& a = pdfium::api();
    pdfium::Lock lock(pdfium::mutex());
    a.FPDFBitmap_FillRect(bitmap.get(), 0, 0, w, h, 0xFFFFFFFF);
    a.FPDF_RenderPageBitmap(bitmap.get(), page, 0, 0, w, h, 0, 0);
}

// Raw PDFium: pages already loaded, one render into a ready bitmap of the view's size.
void RawRender(benchmark::State& state) {
    const auto view = shownView();
    const int w = view->DrawWidth(), h = view->DrawHeight();
    auto doc = std::make_shared<pdfium::DocumentHandle>(
        std::vector<uint8_t>(bookBytes().begin(), bookBytes().end()), "");
    std::vector<std::unique_ptr<pdfium::PageHandle>> pages;
    for (int i = 0; i < PageCount; ++i)
        pages.push_back(std::make_unique<pdfium::PageHandle>(doc, i));
    QImage image(w, h, QImage::Format_RGB32);
    pdfium::BitmapHandle bitmap(w, h, image.bits(), static_cast<int>(image.bytesPerLine()));
    int index = 0;
    for (auto _ : state) {
        index = (index + 1) % PageCount; // the pages a page turn cycles through
        renderRaw(bitmap, pages[index]->get(), w, h);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Raw PDFium as a page turn needs it: load the page, render, close it.
void RawLoadAndRender(benchmark::State& state) {
    const auto view = shownView();
    const int w = view->DrawWidth(), h = view->DrawHeight();
    auto doc = std::make_shared<pdfium::DocumentHandle>(
        std::vector<uint8_t>(bookBytes().begin(), bookBytes().end()), "");
    QImage image(w, h, QImage::Format_RGB32);
    pdfium::BitmapHandle bitmap(w, h, image.bits(), static_cast<int>(image.bytesPerLine()));
    int index = 0;
    for (auto _ : state) {
        index = (index + 1) % PageCount;
        pdfium::PageHandle page(doc, index);
        renderRaw(bitmap, page.get(), w, h);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void PageTurn(benchmark::State& state) {
    const auto view = shownView();
    int paints = 0;
    view->OnPaint = [&](TPdfControl*) { ++paints; };
    for (auto _ : state) {
        // The moments between turns, when the view prepares the next page.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view->setPageIndex((view->PageIndex() + 1) % PageCount);
        view->repaint();
    }
    if (paints < state.iterations())
        state.SkipWithError("frames were not composed");
}

// A turn to a page that was not rendered ahead (a jump, or the first turn straight
// after opening): the render is part of the turn.
void PageJump(benchmark::State& state) {
    const auto view = shownView();
    int paints = 0;
    view->OnPaint = [&](TPdfControl*) { ++paints; };
    int target = 2;
    for (auto _ : state) {
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        view->setPageIndex(target);
        view->repaint();
        target = (target + 2) % PageCount; // never the page next to the last one shown
    }
    if (paints < state.iterations())
        state.SkipWithError("frames were not composed");
}

void RepaintWithOverlays(benchmark::State& state) {
    const auto view = shownView();
    view->setPageIndex(1);
    view->repaint();
    view->SelectAll();
    view->HightlightText("buku", false, true);
    // A paint hook like the annotation overlay: highlights, outlines and a stroke.
    view->OnPaint = [](TPdfControl* c) {
        TPdfCanvas& canvas = c->Canvas();
        for (int i = 0; i < 10; ++i)
            canvas.BlendRect(TRect{150, 150 + 40 * i, 600, 165 + 40 * i}, QColor(255, 255, 0), 130);
        canvas.SetBrushStyle(TPdfCanvas::TBrushStyle::bsClear);
        canvas.SetPenColor(Qt::red);
        canvas.SetPenWidth(2);
        canvas.Rectangle(TRect{120, 600, 500, 700});
        canvas.SetPenColor(Qt::blue);
        canvas.SetPenWidth(3);
        canvas.MoveTo(200, 800);
        for (int i = 1; i <= 30; ++i)
            canvas.LineTo(200 + 10 * i, 800 + (i % 2) * 20);
    };
    int paints = 0;
    const auto hook = view->OnPaint;
    view->OnPaint = [&](TPdfControl* c) {
        ++paints;
        hook(c);
    };
    view->repaint();
    for (auto _ : state)
        view->Repaint();
    if (paints < state.iterations())
        state.SkipWithError("frames were not composed");
}

// The same repaint without selection, marks or hook: what composing a frame costs.
void RepaintPlain(benchmark::State& state) {
    const auto view = shownView();
    view->setPageIndex(1);
    view->repaint();
    for (auto _ : state)
        view->Repaint();
}

void RawOpen(benchmark::State& state) {
    const auto view = shownView();
    const int w = view->DrawWidth(), h = view->DrawHeight();
    for (auto _ : state) {
        auto doc = std::make_shared<pdfium::DocumentHandle>(
            std::vector<uint8_t>(bookBytes().begin(), bookBytes().end()), "");
        pdfium::PageHandle page(doc, 0);
        QImage image(w, h, QImage::Format_RGB32);
        pdfium::BitmapHandle bitmap(w, h, image.bits(), static_cast<int>(image.bytesPerLine()));
        renderRaw(bitmap, page.get(), w, h);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void Open(benchmark::State& state) {
    const auto view = shownView();
    QByteArray bytes = bookBytes();
    int paints = 0;
    view->OnPaint = [&](TPdfControl*) { ++paints; };
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        view->LoadFromStream(buffer);
        view->repaint();
    }
    if (paints < state.iterations())
        state.SkipWithError("frames were not composed");
}

double percentile95(const std::vector<double>& v) {
    if (v.empty())
        return 0;
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    return s[std::min(s.size() - 1, static_cast<size_t>(0.95 * (s.size() - 1) + 0.5))];
}

// Console output as usual, keeping each benchmark's median and 95th percentile.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double medianCpu = 0, p95Cpu = 0, medianReal = 0, p95Real = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Aggregate || r.error_occurred)
                continue;
            Figures& f = figures[r.run_name.function_name];
            if (r.aggregate_name == "median") {
                f.medianCpu = r.GetAdjustedCPUTime();
                f.medianReal = r.GetAdjustedRealTime();
            } else if (r.aggregate_name == "p95") {
                f.p95Cpu = r.GetAdjustedCPUTime();
                f.p95Real = r.GetAdjustedRealTime();
            }
        }
    }
    std::map<std::string, Figures> figures;
};

void registerAll() {
    for (auto [name, fn] :
         std::initializer_list<std::pair<const char*, void (*)(benchmark::State&)>>{
             {"RawRender", RawRender},
             {"RawLoadAndRender", RawLoadAndRender},
             {"PageTurn", PageTurn},
             {"PageJump", PageJump},
             {"RepaintWithOverlays", RepaintWithOverlays},
             {"RepaintPlain", RepaintPlain},
             {"RawOpen", RawOpen},
             {"Open", Open}})
        benchmark::RegisterBenchmark(name, fn)
            ->Iterations(1)
            ->Repetitions(Repetitions)
            ->ComputeStatistics("p95", percentile95)
            ->DisplayAggregatesOnly(true)
            ->Unit(benchmark::kMillisecond);
}

// Ratios of CPU time (what the work costs, whatever else runs on the machine) and of
// wall time, for the median and the 95th percentile.
void printRatio(const RatioReporter& r, const char* label, const char* measured,
                const char* baseline, double goal) {
    const auto m = r.figures.find(measured), b = r.figures.find(baseline);
    if (m == r.figures.end() || b == r.figures.end() || b->second.medianCpu <= 0)
        return;
    const auto& x = m->second;
    const auto& y = b->second;
    std::printf("%-38s cpu: median %5.2f p95 %5.2f | wall: median %5.2f p95 %5.2f (goal %.2f)\n",
                label, x.medianCpu / y.medianCpu, x.p95Cpu / y.p95Cpu, x.medianReal / y.medianReal,
                x.p95Real / y.p95Real, goal);
}

} // namespace
} // namespace sumberlaras

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    sumberlaras::registerAll();
    sumberlaras::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    using sumberlaras::printRatio;
    printRatio(reporter, "page turn / raw render", "PageTurn", "RawRender", 1.25);
    printRatio(reporter, "page turn / raw load + render", "PageTurn", "RawLoadAndRender", 1.25);
    printRatio(reporter, "page jump / raw render", "PageJump", "RawRender", 1.25);
    printRatio(reporter, "page jump / raw load + render", "PageJump", "RawLoadAndRender", 1.25);
    printRatio(reporter, "repaint with overlays / raw render", "RepaintWithOverlays", "RawRender",
               0.2);
    printRatio(reporter, "plain repaint / raw render", "RepaintPlain", "RawRender", 0.2);
    printRatio(reporter, "open / raw load + first render", "Open", "RawOpen", 1.3);
    benchmark::Shutdown();
    return 0;
}
