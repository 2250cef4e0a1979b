// The marks laid over the page from a layer, against the same marks drawn on
// the page itself, at the pixel ratio the test runs at (1, 1.5 and 2).
#include "annotations/qt/AnnotationLayer.h"

#include <QApplication>

#include "annotations/Document.h"
#include "annotations/Note.h"
#include "annotations/Paint.h"
#include "annotations/qt/NoteAnnotationImage.h"
#include "annotations/qt/ViewAnnotations.h"
#include "tests/reader/qt/ControlFixture.h"

namespace sumberlaras::annotations {
namespace {

using sumberlaras::testing::ControlTest;

Json box(double l, double t, double r, double b) {
    return {{"left", l}, {"top", t}, {"right", r}, {"bottom", b}};
}

class AnnotationLayerTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        document = {{"id_konten", "1"}, {"data", Json::array()}};
        append(document, {{"page", 0},
                          {"type", "RECTANGLE"},
                          {"color", 255},
                          {"point", box(100, 700, 300, 600)}});
        append(document, {{"page", 0},
                          {"type", "HIGHLIGHT"},
                          {"color", 65535},
                          {"point_data", {box(90, 650, 400, 630), box(120, 660, 200, 560)}},
                          {"point", box(90, 660, 400, 560)}});
        append(document, noteItem(0, {}, box(350, 500, 380, 470)));
        append(document,
               {{"page", 0},
                {"type", "INK"},
                {"color", 16711680},
                {"point", {{"x", 100.0}, {"y", 400.0}}},
                {"draw_data", {{{"x", 150.0}, {"y", 380.0}}, {{"x", 260.0}, {"y", 420.0}}}}});
    }

    // The frame with the marks drawn through the layer or straight on the page.
    QImage painted(bool throughLayer) {
        view.OnPaint = [&](TPdfControl* v) {
            if (throughLayer) {
                layer.paint(*v, document, revision, icon);
            } else {
                ViewCanvas canvas(v->Canvas(), icon);
                paintPage(document, ViewTransform(*v), canvas);
            }
        };
        view.Repaint();
        return frame();
    }

    static int largestDifference(const QImage& a, const QImage& b) {
        int worst = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(p) - qRed(q)),
                                  std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
            }
        return worst;
    }

    Json document;
    AnnotationLayer layer;
    uint64_t revision = 1;
    const QImage icon = loadNoteAnnotationImage();
};

TEST_F(AnnotationLayerTest, TheLayerGivesThePixelsOfDrawingOnThePage) {
    for (int zoom : {100, 150}) {
        SCOPED_TRACE(zoom);
        view.setScaleMode(TPdfControlScaleMode::smZoom);
        view.setZoomPercentage(zoom);
        QApplication::processEvents();
        const QImage direct = painted(false);
        const QImage layered = painted(true);
        ASSERT_EQ(direct.size(), layered.size());
        EXPECT_LE(largestDifference(direct, layered), 1);
        // Painted again unchanged, from the layer as it was.
        EXPECT_EQ(painted(true), layered);
        EXPECT_FALSE(layer.lastPaintDrew());
    }
}

TEST_F(AnnotationLayerTest, AChangeOrAMoveDrawsTheMarksAfresh) {
    painted(true);
    deleteAt(document, 0);
    // The document's revision says whether it changed: the same one keeps the
    // layer as it was, the rectangle still on it.
    EXPECT_GT(largestDifference(painted(true), painted(false)), 1);
    ++revision;
    EXPECT_LE(largestDifference(painted(true), painted(false)), 1);
    view.setRotation(TPdfRotation::pr180);
    EXPECT_LE(largestDifference(painted(true), painted(false)), 1);
    view.setScaleMode(TPdfControlScaleMode::smZoom);
    view.setZoomPercentage(170);
    QApplication::processEvents();
    EXPECT_LE(largestDifference(painted(true), painted(false)), 1);
}

TEST_F(AnnotationLayerTest, PageToDeviceIsTheViewsOwnMapping) {
    for (TPdfRotation rotation : {TPdfRotation::prNone, TPdfRotation::pr90}) {
        view.setRotation(rotation);
        for (int zoom : {50, 133, 200}) {
            view.setScaleMode(TPdfControlScaleMode::smZoom);
            view.setZoomPercentage(zoom);
            QApplication::processEvents();
            const ViewTransform transform(view);
            for (double x = 0; x <= 612; x += 51)
                for (double y = 0; y <= 792; y += 66) {
                    const TPoint expected = view.PageToDevice(x, y);
                    const DevicePoint got = transform.PageToDevice(x, y);
                    ASSERT_LE(std::abs(got.x - expected.X), 1) << zoom << " " << x << "," << y;
                    ASSERT_LE(std::abs(got.y - expected.Y), 1) << zoom << " " << x << "," << y;
                }
        }
    }
}

} // namespace
} // namespace sumberlaras::annotations
