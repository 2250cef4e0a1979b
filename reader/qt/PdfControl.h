#pragma once

#include "base/Clock.h"
#include "reader/engine/PageLayout.h"
#include "reader/engine/PdfDocument.h"
#include "reader/engine/TextSelection.h"
#include "reader/qt/PageBitmapCache.h"
#include "reader/qt/PageOverlay.h"
#include "reader/qt/PagePainter.h"
#include "reader/qt/PdfCanvas.h"
#include "reader/qt/PdfInput.h"
#include "reader/qt/QtTicker.h"

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;
class QScrollBar;

namespace sumberlaras {

// The page view of one open book: one page at a time, scaled, centred, with scroll
// bars, text selection, search marks and a paint hook. Device coordinates are the
// widget's logical pixels; the page bitmap is rendered at the screen's pixel ratio.
class TPdfControl : public QWidget, private TPdfCanvasTarget {
    Q_OBJECT
public:
    // Throws EPdfError naming the PDFium library or function that cannot be found.
    explicit TPdfControl(QWidget* Owner = nullptr);
    ~TPdfControl() override;

    // Closes any document and opens the whole content of the stream, kept in memory.
    // An empty stream opens nothing. Throws EPdfError with the text of PDFium's error.
    void LoadFromStream(QIODevice& Stream, const QString& Password = {});
    // Reads the file into memory and opens it the same way.
    void LoadFromFile(const QString& Path, const QString& Password = {});
    void Close();

    TPdfDocument& Document() { return *document_; }
    int PageCount() const;
    int PageIndex() const { return pageIndex_; }
    void setPageIndex(int Index);
    // The shown page, or null without a document.
    TPdfPage* CurrentPage() const;

    TPdfControlScaleMode ScaleMode() const { return scaleMode_; }
    void setScaleMode(TPdfControlScaleMode Mode);
    int ZoomPercentage() const { return zoomPercentage_; }
    void setZoomPercentage(int Percentage); // clamped to 1..10000
    QColor PageColor() const { return pageColor_; }
    void setPageColor(const QColor& Color);
    TPdfRotation Rotation() const { return rotation_; }
    void setRotation(TPdfRotation Rotation);
    int DrawOptions() const { return drawOptions_; }
    void setDrawOptions(int Flags);

    bool AllowUserTextSelection() const { return allowUserTextSelection_; }
    void setAllowUserTextSelection(bool On) { allowUserTextSelection_ = On; }
    bool AllowUserPageChange() const { return allowUserPageChange_; }
    void setAllowUserPageChange(bool On) { allowUserPageChange_ = On; }
    bool AutoPageChange() const { return autoPageChange_; }
    void setAutoPageChange(bool On) { autoPageChange_ = On; }
    bool ScrollTimer() const { return scrollTimerOn_; }
    void setScrollTimer(bool On) { scrollTimerOn_ = On; }
    bool SmoothScroll() const { return smoothScroll_; }
    void setSmoothScroll(bool On) { smoothScroll_ = On; }
    bool BufferedPageDraw() const { return bufferedPageDraw_; }
    void setBufferedPageDraw(bool On);

    // Search marks: every match on the shown page, again after each page change.
    void HightlightText(const QString& SearchText, bool MatchCase, bool MatchWholeWord);
    void ClearHighlightText();
    const std::vector<TPdfRect>& HighlightRects() const { return overlay_.marks(); }

    // Selection as a character range; both 0 without an active selection.
    int SelStart() const;
    int SelLength() const;
    void SelectAll();
    void ClearSelection();
    QString SelectedText() const;

    int DrawX() const { return drawX_; }
    int DrawY() const { return drawY_; }
    int DrawWidth() const { return layout_.width; }
    int DrawHeight() const { return layout_.height; }
    TRect GetPageRect() const;

    TPdfPoint DeviceToPage(int X, int Y) const;
    TPdfRect DeviceToPage(const TRect& R) const;
    TPoint PageToDevice(double PageX, double PageY) const;
    TRect PageToDevice(const TPdfRect& R) const;
    QString GetTextInRect(const TRect& R) const;

    TPdfCanvas& Canvas() { return canvas_; }
    void Repaint();
    // The page bitmaps the view holds (the shown page and those kept around it).
    PageBitmapCache::Held HeldBitmaps() const { return bitmaps_.held(); }
    // Repaints with the next paint the event loop delivers, merged with any
    // already pending; drops a live frame as Repaint does.
    void Invalidate() { invalidate(); }

    // Scroll state, as the bars show it.
    bool HorzScrollBarVisible() const { return layout_.horzBar; }
    bool VertScrollBarVisible() const { return layout_.vertBar; }
    int HorzScrollPosition() const { return horzPos_; }
    int VertScrollPosition() const { return vertPos_; }
    int HorzScrollMax() const { return layout_.horzMax(); }
    int VertScrollMax() const { return layout_.vertMax(); }
    int ClientViewWidth() const { return layout_.viewWidth; }
    int ClientViewHeight() const { return layout_.viewHeight; }
    QScrollBar* HorzScrollBar() const { return horzBar_; }
    QScrollBar* VertScrollBar() const { return vertBar_; }

    // Where the double-click line window takes its time from: the steady clock unless
    // set; a clock set here must outlive the view.
    void setClock(const Clock& Time) { clock_ = &Time; }
    // One step of the drag auto-scroll; the 50 ms timer calls it.
    void ScrollTimerTick();
    bool ScrollTimerActive() const { return scrollTicker_->active(); }
    // Where the drag's auto-scroll ticks come from; tests fire them by hand.
    void setScrollTicker(Ticker& ticker) { scrollTicker_ = &ticker; }

    std::function<void(TPdfControl*)> OnPageChange;
    std::function<void(TPdfControl*)> OnPaint;
    std::function<void(TPdfControl*, TMouseButton, TShiftState, int X, int Y)> OnMouseDown;
    std::function<void(TPdfControl*, TShiftState, int X, int Y)> OnMouseMove;
    std::function<void(TPdfControl*, TMouseButton, TShiftState, int X, int Y)> OnMouseUp;
    std::function<void(TPdfControl*)> OnClick;
    std::function<void(TPdfControl*)> OnDblClick;
    // Raised before the view's own key handling; setting Key to 0 cancels it.
    std::function<void(TPdfControl*, int& Key, TShiftState)> OnKeyDown;
    std::function<void(TPdfControl*, int& Key, TShiftState)> OnKeyUp;
    std::function<void(TPdfControl*, const QString& Url)> OnWebLinkClick;

    static constexpr QRgb SelectionColor = PagePainter::SelectionColor;
    static constexpr QRgb HighlightColor = PagePainter::HighlightColor;
    static constexpr int MarkOpacity = PagePainter::MarkOpacity;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class ShowFrom { Top, Bottom };
    static constexpr int ScrollStepPixels = 25; // arrow keys, bar arrows, drag scrolling

    void drawOnCanvas(const QRect& dirty, const std::function<void(QPainter&)>& draw) override;

    void changePage(int index, ShowFrom from);
    void relayout();
    void placeScrollBars();
    void updateOrigin();
    void setScrollPositions(int horz, int vert);
    void scrollVerticallyBy(int offset, bool mayTurnPage = true);
    void scrollHorizontallyBy(int offset);
    void onBarAction(Qt::Orientation orientation, int action);

    void compose(QPainter& p);
    void invalidate();
    void invalidateChanged(const std::vector<TRect>& before, const std::vector<TRect>& after);
    PageKey keyFor(int index, const QSize& size) const;
    void scheduleNextPage(const PageKey& shown);
    void prerenderNextPage();
    PageLayoutInput layoutInput(const TPdfPage* page) const;

    // Runs a change of the selection and repaints what it changed.
    void changeSelection(const std::function<void(TextSelection&)>& change);
    void dropSelection();
    void readChars(TPdfPage& page);
    void recomputeMarks();
    void pressForSelection(const QPoint& pos, bool doubleClick);
    void dragSelectionTo(const QPoint& pos);
    void updateCursor(const QPoint& pos);
    TPdfDeviceArea deviceArea() const;

    std::unique_ptr<TPdfDocument> document_;
    int pageIndex_ = 0;
    TPdfControlScaleMode scaleMode_ = TPdfControlScaleMode::smFitAuto;
    int zoomPercentage_ = 100;
    QColor pageColor_ = Qt::white;
    QColor background_ = QColor(128, 128, 128);
    TPdfRotation rotation_ = TPdfRotation::prNone;
    int drawOptions_ = 0;
    bool allowUserTextSelection_ = true;
    bool allowUserPageChange_ = true;
    bool autoPageChange_ = false;
    bool scrollTimerOn_ = true;
    bool smoothScroll_ = false;
    bool bufferedPageDraw_ = true;

    // Selection of the shown page's text; it reads the page's characters on first use.
    TextSelection selection_;
    // The search text whose matches on the shown page are marked.
    std::u16string highlightText_;
    bool highlightMatchCase_ = false;
    bool highlightWholeWord_ = false;
    PageOverlay overlay_;

    PageLayout layout_;
    int horzPos_ = 0;
    int vertPos_ = 0;
    int drawX_ = 0;
    int drawY_ = 0;
    QScrollBar* horzBar_ = nullptr;
    QScrollBar* vertBar_ = nullptr;
    bool syncingBars_ = false;

    PageBitmapCache bitmaps_;
    PagePainter pagePainter_{bitmaps_};

    // The frame on screen once the canvas drew on it outside a paint; the next
    // repaint of the view drops it.
    std::optional<QImage> liveFrame_;
    QPainter* hookPainter_ = nullptr; // the frame being composed, while OnPaint runs
    TPdfCanvas canvas_;

    bool clickArmed_ = false;
    QPoint lastMousePos_;
    QtTicker ownScrollTicker_;
    Ticker* scrollTicker_ = &ownScrollTicker_;
    SteadyClock steadyClock_;
    const Clock* clock_ = &steadyClock_;
};

} // namespace sumberlaras
