// Annotations on a page view, against the work they sit on, in one run:
//   repaint of a page carrying 1,000 marks of mixed kinds in a document of
//   10,000 items, unchanged since the last paint, and changed (every mark
//   drawn afresh)                        / raw PDFium render of the same page;
//   a pen stroke of 2,000 moves, each drawing its new segment and painted
//   before the next move is handled      / the same moves with no tool on.
// Prints medians, the worst move, and the ratios.
// Usage: annotations_bench [rounds]
#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "annotations/Document.h"
#include "annotations/Gesture.h"
#include "annotations/qt/AnnotationLayer.h"
#include "annotations/qt/NoteAnnotationImage.h"
#include "annotations/qt/ViewAnnotations.h"
#include "bench/support/BookLikePdf.h"
#include "bench/support/Median.h"
#include "reader/engine/PdfiumHandles.h"
#include "reader/qt/PdfControl.h"

namespace sumberlaras {
namespace {

using Steady = std::chrono::steady_clock;
using annotations::GestureRecorder;
using annotations::ToolStates;
using annotations::ViewCanvas;
using annotations::ViewTransform;

constexpr int kPages = 10;
constexpr int kItems = 10000;
constexpr int kOnPage = 1000;
constexpr int kStroke = 2000;

double msSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

Json box(double l, double t, double r, double b) {
    return {{"left", l}, {"top", t}, {"right", r}, {"bottom", b}};
}

// Rectangles, highlights of three lines, strokes of twenty points and notes in
// turn; one item in ten is on page 0.
Json bigDocument() {
    Json document = {{"id_konten", "1"}, {"data", Json::array()}};
    for (int i = 0; i < kItems; ++i) {
        const int page = i % (kItems / kOnPage) == 0 ? 0 : 1 + i % (kPages - 1);
        const double x = 60 + (i * 37) % 400, y = 700 - (i * 53) % 600;
        Json item;
        switch (i / (kItems / kOnPage) % 4) {
        case 0:
            item = {{"page", page},
                    {"type", "RECTANGLE"},
                    {"color", 255},
                    {"point", box(x, y, x + 80, y - 40)}};
            break;
        case 1: {
            Json lines = Json::array();
            for (int l = 0; l < 3; ++l)
                lines.push_back(box(x, y - l * 16, x + 200, y - l * 16 - 12));
            item = {{"page", page},
                    {"type", "HIGHLIGHT"},
                    {"color", 65535},
                    {"point_data", lines},
                    {"point", box(x, y, x + 200, y - 44)}};
            break;
        }
        case 2: {
            Json points = Json::array();
            for (int p = 0; p < 20; ++p)
                points.push_back({{"x", x + p * 3.5}, {"y", y - (p % 5) * 2.5}});
            item = {{"page", page},
                    {"type", "INK"},
                    {"color", 16711680},
                    {"point",
                     {{"x", x},
                      {"y", y},
                      {"left", x},
                      {"top", y},
                      {"right", x + 70},
                      {"bottom", y - 10}}},
                    {"draw_data", points}};
            break;
        }
        default:
            item = {{"page", page},
                    {"type", "NOTES"},
                    {"note_id", ""},
                    {"color", 374470},
                    {"font", "Tahoma"},
                    {"size", 8},
                    {"font_color", -16777208},
                    {"date", "10/12/26"},
                    {"text", "catatan"},
                    {"point", box(x, y, x + 37.5, y - 37.5)}};
        }
        document["data"].push_back(std::move(item));
    }
    return document;
}

void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct StrokeTimes {
    double median = 0;
    double worst = 0;
};

// Press, 2,000 moves with the left button held, each delivered and its paint
// done before the next, and the release.
StrokeTimes stroke(TPdfControl& view, const QRect& area) {
    std::vector<double> lags;
    lags.reserve(kStroke);
    send(&view, QEvent::MouseButtonPress, area.center(), Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    for (int i = 0; i < kStroke; ++i) {
        const QPoint p(area.left() + (i * 7) % area.width(),
                       area.top() + (i * 3 + (i / 50) * 11) % area.height());
        const auto start = Steady::now();
        send(&view, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents(); // the paint of what the move changed
        lags.push_back(msSince(start));
    }
    send(&view, QEvent::MouseButtonRelease, area.center(), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    StrokeTimes t;
    t.worst = *std::max_element(lags.begin(), lags.end());
    t.median = bench::median(lags);
    return t;
}

int run(int rounds) {
    const QByteArray bytes = bench::bookLikePdf(kPages);
    TPdfControl view;
    view.resize(900, 1100);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        std::fprintf(stderr, "the view was never shown: frames will not be composed\n");
    QBuffer buffer(const_cast<QByteArray*>(&bytes));
    buffer.open(QIODevice::ReadOnly);
    view.LoadFromStream(buffer);
    view.setScaleMode(TPdfControlScaleMode::smZoom);
    view.setZoomPercentage(100);
    view.repaint();

    const QImage noteIcon = annotations::loadNoteAnnotationImage();
    Json document = bigDocument();
    bool overlay = true;
    int painted = 0, layerDrawn = 0;
    uint64_t revision = 1;
    annotations::AnnotationLayer layer;
    // As the reader paints a tab's marks.
    view.OnPaint = [&](TPdfControl* v) {
        if (!overlay)
            return;
        layer.paint(*v, document, revision, noteIcon);
        ++painted;
        layerDrawn += layer.lastPaintDrew();
    };

    // Raw PDFium: the page already loaded, rendered into a ready bitmap of the
    // size the view draws it at.
    const int w = view.DrawWidth(), h = view.DrawHeight();
    auto doc = std::make_shared<pdfium::DocumentHandle>(
        std::vector<uint8_t>(bytes.begin(), bytes.end()), "");
    pdfium::PageHandle page(doc, 0);
    QImage image(w, h, QImage::Format_RGB32);
    pdfium::BitmapHandle bitmap(w, h, image.bits(), static_cast<int>(image.bytesPerLine()));
    const auto& a = pdfium::api();

    std::vector<double> raw, marked, changed, plain;
    for (int r = 0; r < rounds; ++r) {
        auto start = Steady::now();
        {
            pdfium::Lock lock(pdfium::mutex());
            a.FPDFBitmap_FillRect(bitmap.get(), 0, 0, w, h, 0xFFFFFFFF);
            a.FPDF_RenderPageBitmap(bitmap.get(), page.get(), 0, 0, w, h, 0, 0);
        }
        raw.push_back(msSince(start));
        overlay = true;
        ++revision; // the document changed: every mark is drawn
        start = Steady::now();
        view.Repaint();
        changed.push_back(msSince(start));
        start = Steady::now();
        view.Repaint();
        marked.push_back(msSince(start));
        overlay = false;
        start = Steady::now();
        view.Repaint();
        plain.push_back(msSince(start));
    }
    if (painted < 2 * rounds || layerDrawn != rounds)
        std::fprintf(stderr, "frames were not composed as meant: %d painted, %d drawn\n", painted,
                     layerDrawn);

    // The stroke: the tools' press, move and release on the view, as the
    // reader attaches them.
    GestureRecorder gesture;
    annotations::ToolColours colours;
    ToolStates pen;
    pen.CurrentPenAnnotState = true;
    ToolStates none;
    const ToolStates* tools = &pen;
    Json strokes = {{"data", Json::array()}};
    const auto buttonOf = [](TMouseButton b) {
        return b == TMouseButton::mbLeft ? annotations::MouseButton::Left
                                         : annotations::MouseButton::Right;
    };
    view.OnMouseDown = [&](TPdfControl* v, TMouseButton b, TShiftState, int x, int y) {
        ViewCanvas canvas(v->Canvas(), noteIcon);
        gesture.press(ViewTransform(*v), buttonOf(b), x, y, *tools, colours, canvas);
    };
    view.OnMouseMove = [&](TPdfControl* v, TShiftState s, int x, int y) {
        ViewCanvas canvas(v->Canvas(), noteIcon);
        gesture.move(ViewTransform(*v), x, y, s & ssLeft, *tools, colours, canvas);
    };
    view.OnMouseUp = [&](TPdfControl* v, TMouseButton b, TShiftState, int x, int y) {
        ViewCanvas canvas(v->Canvas(), noteIcon);
        gesture.release(ViewTransform(*v), buttonOf(b), x, y, *tools, colours, {}, strokes, canvas);
    };
    view.setAllowUserTextSelection(false);
    overlay = true;
    const TRect pr = view.GetPageRect();
    const QRect area(QPoint(pr.Left + 20, pr.Top + 20), QPoint(pr.Right - 20, pr.Bottom - 20));
    tools = &none;
    const StrokeTimes bare = stroke(view, area);
    tools = &pen;
    const StrokeTimes drawn = stroke(view, area);
    const size_t points = strokes["data"].empty() ? 0 : strokes["data"][0]["draw_data"].size();

    const double rawMs = bench::median(raw), markedMs = bench::median(marked),
                 changedMs = bench::median(changed), plainMs = bench::median(plain);
    std::printf("rounds %d; %d items, %d on the page\n", rounds, kItems, kOnPage);
    std::printf("raw render %.2f ms; repaint with the marks %.2f ms, after a change %.2f ms; "
                "without marks %.2f ms\n",
                rawMs, markedMs, changedMs, plainMs);
    std::printf("repaint with 1,000 marks / raw render       %.2f (goal <= 0.5)\n",
                markedMs / rawMs);
    std::printf("repaint after a change / raw render         %.2f\n", changedMs / rawMs);
    std::printf("stroke of %zu points: move median %.3f ms, worst %.2f ms (goal <= 16)\n", points,
                drawn.median, drawn.worst);
    std::printf("moves with no tool: median %.3f ms, worst %.2f ms\n", bare.median, bare.worst);
    std::printf("pen move / bare move (medians)              %.2f\n",
                bare.median > 0 ? drawn.median / bare.median : 0);
    return points == static_cast<size_t>(kStroke) && layerDrawn >= rounds ? 0 : 1;
}

} // namespace
} // namespace sumberlaras

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    return sumberlaras::run(rounds);
}
