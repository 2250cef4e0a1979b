#include "reader/qt/PdfControl.h"

#include "reader/engine/RectMerge.h"

#include <QFile>
#include <QIODevice>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace sumberlaras {

TPdfControl::TPdfControl(QWidget* Owner)
    : QWidget(Owner), document_(std::make_unique<TPdfDocument>()),
      overlay_([this](const TPdfRect& r) { return PageToDevice(r); }), canvas_(*this) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    horzBar_ = new QScrollBar(Qt::Horizontal, this);
    vertBar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {horzBar_, vertBar_}) {
        bar->setSingleStep(ScrollStepPixels);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, bar](int action) { onBarAction(bar->orientation(), action); });
    }
    connect(vertBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncingBars_ && v != vertPos_)
            setScrollPositions(horzPos_, v);
    });
    connect(horzBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncingBars_ && v != horzPos_)
            setScrollPositions(v, vertPos_);
    });
    relayout();
}

TPdfControl::~TPdfControl() = default;

// ---- document ----

void TPdfControl::LoadFromStream(QIODevice& Stream, const QString& Password) {
    Close();
    if (!Stream.isSequential())
        Stream.seek(0);
    const QByteArray content = Stream.readAll();
    if (content.isEmpty())
        return;
    document_->LoadFromMemory(std::vector<uint8_t>(content.begin(), content.end()),
                              Password.toStdString());
    pageIndex_ = 0;
    horzPos_ = vertPos_ = 0;
    relayout();
    recomputeMarks();
    if (OnPageChange)
        OnPageChange(this);
}

void TPdfControl::LoadFromFile(const QString& Path, const QString& Password) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        Close();
        throw EPdfError::fromCode(static_cast<unsigned long>(TPdfErrorCode::File));
    }
    LoadFromStream(file, Password);
}

void TPdfControl::Close() {
    dropSelection();
    bitmaps_.clear();
    document_->Close();
    pageIndex_ = 0;
    horzPos_ = vertPos_ = 0;
    overlay_.setMarks({});
    relayout();
}

int TPdfControl::PageCount() const {
    return document_->PageCount();
}

TPdfPage* TPdfControl::CurrentPage() const {
    return document_->Pages(pageIndex_);
}

void TPdfControl::setPageIndex(int Index) {
    changePage(Index, ShowFrom::Top);
}

void TPdfControl::changePage(int index, ShowFrom from) {
    // One wait for PDFium, not one per call, while a search worker reads pages.
    pdfium::Lock lock(pdfium::mutex());
    const int count = PageCount();
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (index == pageIndex_)
        return;
    dropSelection();
    const int old = pageIndex_;
    pageIndex_ = index;
    // After the frame, while the user reads: pages next to the shown one stay open, as
    // reading goes back and forth between them.
    QMetaObject::invokeMethod(
        this,
        [this, old] {
            for (int near = old - 1; near <= old + 1; ++near)
                if (std::abs(near - pageIndex_) > 1)
                    if (TPdfPage* page = document_->Pages(near))
                        page->ReleaseResources();
        },
        Qt::QueuedConnection);
    horzPos_ = vertPos_ = 0;
    relayout();
    if (from == ShowFrom::Bottom)
        setScrollPositions(0, layout_.vertMax());
    recomputeMarks();
    invalidate();
    if (OnPageChange)
        OnPageChange(this);
}

// ---- properties ----

void TPdfControl::setScaleMode(TPdfControlScaleMode Mode) {
    if (Mode == scaleMode_)
        return;
    scaleMode_ = Mode;
    relayout();
}

void TPdfControl::setZoomPercentage(int Percentage) {
    Percentage = std::clamp(Percentage, MinZoomPercentage, MaxZoomPercentage);
    if (Percentage == zoomPercentage_)
        return;
    zoomPercentage_ = Percentage;
    relayout();
}

void TPdfControl::setPageColor(const QColor& Color) {
    pageColor_ = Color;
    invalidate();
}

void TPdfControl::setRotation(TPdfRotation Rotation) {
    if (Rotation == rotation_)
        return;
    rotation_ = Rotation;
    relayout();
}

void TPdfControl::setDrawOptions(int Flags) {
    drawOptions_ = Flags;
    invalidate();
}

void TPdfControl::setBufferedPageDraw(bool On) {
    bufferedPageDraw_ = On;
    if (!On)
        bitmaps_.clear();
    invalidate();
}

// ---- layout and scrolling ----

PageLayoutInput TPdfControl::layoutInput(const TPdfPage* page) const {
    PageLayoutInput in;
    in.clientWidth = width();
    in.clientHeight = height();
    in.horzBarHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horzBar_);
    in.vertBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertBar_);
    if (page) {
        in.pageWidth = page->Width();
        in.pageHeight = page->Height();
        in.rotation = rotation_;
        in.mode = scaleMode_;
        in.zoomPercentage = zoomPercentage_;
        in.dpiX = logicalDpiX();
        in.dpiY = logicalDpiY();
    }
    return in;
}

void TPdfControl::relayout() {
    const TPdfPage* page = CurrentPage();
    const PageLayoutInput in = layoutInput(page);
    if (page) {
        layout_ = computePageLayout(in);
    } else {
        layout_ = PageLayout{};
        layout_.viewWidth = in.clientWidth;
        layout_.viewHeight = in.clientHeight;
    }
    horzPos_ = std::clamp(horzPos_, 0, layout_.horzMax());
    vertPos_ = std::clamp(vertPos_, 0, layout_.vertMax());
    placeScrollBars();
    updateOrigin();
}

void TPdfControl::placeScrollBars() {
    syncingBars_ = true;
    const int hh = horzBar_->sizeHint().height();
    const int vw = vertBar_->sizeHint().width();
    if (layout_.horzBar) {
        horzBar_->setGeometry(0, height() - hh, layout_.viewWidth, hh);
        horzBar_->setRange(0, layout_.horzMax());
        horzBar_->setPageStep(std::max(1, layout_.viewWidth));
        horzBar_->setValue(horzPos_);
        horzBar_->show();
    } else {
        horzBar_->hide();
    }
    if (layout_.vertBar) {
        vertBar_->setGeometry(width() - vw, 0, vw, layout_.viewHeight);
        vertBar_->setRange(0, layout_.vertMax());
        vertBar_->setPageStep(std::max(1, layout_.viewHeight));
        vertBar_->setValue(vertPos_);
        vertBar_->show();
    } else {
        vertBar_->hide();
    }
    syncingBars_ = false;
}

void TPdfControl::updateOrigin() {
    drawX_ = pageOrigin(layout_.viewWidth, layout_.width, horzPos_);
    drawY_ = pageOrigin(layout_.viewHeight, layout_.height, vertPos_);
    overlay_.moved();
    invalidate();
}

void TPdfControl::setScrollPositions(int horz, int vert) {
    horz = std::clamp(horz, 0, layout_.horzMax());
    vert = std::clamp(vert, 0, layout_.vertMax());
    if (horz == horzPos_ && vert == vertPos_)
        return;
    horzPos_ = horz;
    vertPos_ = vert;
    syncingBars_ = true;
    horzBar_->setValue(horzPos_);
    vertBar_->setValue(vertPos_);
    syncingBars_ = false;
    updateOrigin();
}

void TPdfControl::scrollVerticallyBy(int offset, bool mayTurnPage) {
    const ScrollStep step = scrollVertically(vertPos_, layout_.vertMax(), layout_.vertBar, offset,
                                             autoPageChange_ && mayTurnPage);
    if (step.turn != 0)
        changePage(pageIndex_ + step.turn, ShowFrom::Top);
    else
        setScrollPositions(horzPos_, step.position);
}

void TPdfControl::scrollHorizontallyBy(int offset) {
    if (layout_.horzBar)
        setScrollPositions(horzPos_ + offset, vertPos_);
}

void TPdfControl::onBarAction(Qt::Orientation orientation, int action) {
    const bool vertical = orientation == Qt::Vertical;
    const int page = vertical ? layout_.viewHeight : layout_.viewWidth;
    int offset = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        offset = ScrollStepPixels;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        offset = -ScrollStepPixels;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        offset = page;
        break;
    case QAbstractSlider::SliderPageStepSub:
        offset = -page;
        break;
    default:
        return; // thumb drags and jumps arrive through valueChanged
    }
    // Our rule, not the bar's own step: a vertical step may turn the page.
    if (vertical) {
        scrollVerticallyBy(offset);
        vertBar_->setSliderPosition(vertPos_);
    } else {
        scrollHorizontallyBy(offset);
        horzBar_->setSliderPosition(horzPos_);
    }
}

// ---- coordinates ----

TPdfDeviceArea TPdfControl::deviceArea() const {
    return {drawX_, drawY_, layout_.width, layout_.height, rotation_};
}

TRect TPdfControl::GetPageRect() const {
    return {drawX_, drawY_, drawX_ + layout_.width, drawY_ + layout_.height};
}

TPdfPoint TPdfControl::DeviceToPage(int X, int Y) const {
    TPdfPage* page = CurrentPage();
    if (!page || layout_.width <= 0 || layout_.height <= 0)
        return {};
    return page->DeviceToPage(deviceArea(), X, Y);
}

TPdfRect TPdfControl::DeviceToPage(const TRect& R) const {
    if (!CurrentPage() || layout_.width <= 0 || layout_.height <= 0)
        return {};
    const TPdfPoint a = DeviceToPage(R.Left, R.Top);
    const TPdfPoint b = DeviceToPage(R.Right, R.Bottom);
    return {a.X, a.Y, b.X, b.Y};
}

TPoint TPdfControl::PageToDevice(double PageX, double PageY) const {
    TPdfPage* page = CurrentPage();
    if (!page || layout_.width <= 0 || layout_.height <= 0)
        return {};
    TPoint p;
    page->PageToDevice(deviceArea(), PageX, PageY, p.X, p.Y);
    return p;
}

TRect TPdfControl::PageToDevice(const TPdfRect& R) const {
    if (!CurrentPage() || layout_.width <= 0 || layout_.height <= 0)
        return {};
    const TPoint a = PageToDevice(R.Left, R.Top);
    const TPoint b = PageToDevice(R.Right, R.Bottom);
    return {a.X, a.Y, b.X, b.Y};
}

QString TPdfControl::GetTextInRect(const TRect& R) const {
    TPdfPage* page = CurrentPage();
    if (!page || layout_.width <= 0 || layout_.height <= 0)
        return {};
    const std::u16string text = page->GetTextAt(DeviceToPage(R));
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// ---- search marks ----

void TPdfControl::HightlightText(const QString& SearchText, bool MatchCase, bool MatchWholeWord) {
    highlightText_ = SearchText.toStdU16String();
    highlightMatchCase_ = MatchCase;
    highlightWholeWord_ = MatchWholeWord;
    const std::vector<TRect> before = overlay_.marksDevice();
    recomputeMarks();
    invalidateChanged(before, overlay_.marksDevice());
}

void TPdfControl::ClearHighlightText() {
    highlightText_.clear();
    const std::vector<TRect> before = overlay_.marksDevice();
    overlay_.setMarks({});
    invalidateChanged(before, overlay_.marksDevice());
}

void TPdfControl::recomputeMarks() {
    std::vector<TPdfRect> marks;
    TPdfPage* page = CurrentPage();
    if (page && !highlightText_.empty())
        for (const TPdfMatch& match :
             page->FindAll(highlightText_, highlightMatchCase_, highlightWholeWord_))
            for (const TPdfRect& r : joinMatchRects(match.Rects))
                marks.push_back(r);
    overlay_.setMarks(std::move(marks));
}

// ---- painting ----

void TPdfControl::invalidate() {
    liveFrame_.reset();
    update();
}

void TPdfControl::invalidateChanged(const std::vector<TRect>& before,
                                    const std::vector<TRect>& after) {
    const QRegion changed = PageOverlay::changed(before, after);
    if (changed.isEmpty())
        return;
    liveFrame_.reset();
    update(changed);
}

PageKey TPdfControl::keyFor(int index, const QSize& size) const {
    return PageKey{index,     size,         devicePixelRatioF(),
                   rotation_, drawOptions_, pageColor_.rgba() | 0xFF000000u};
}

void TPdfControl::scheduleNextPage(const PageKey& shown) {
    if (!document_->Pages(pageIndex_ + 1) || !bitmaps_.claimAhead(shown))
        return;
    QTimer::singleShot(0, this, &TPdfControl::prerenderNextPage);
}

void TPdfControl::prerenderNextPage() {
    TPdfPage* next = document_->Pages(pageIndex_ + 1);
    if (!isVisible()) {
        bitmaps_.forgetAhead(); // again once it is shown
        return;
    }
    if (!next)
        return;
    next->Prepare(); // opened, at least, so that turning to it only renders
    if (!bufferedPageDraw_)
        return;
    const PageLayout layout = computePageLayout(layoutInput(next));
    bitmaps_.renderAhead(*next, keyFor(pageIndex_ + 1, QSize(layout.width, layout.height)),
                         keyFor(pageIndex_, QSize(layout_.width, layout_.height)),
                         QSize(layout.viewWidth, layout.viewHeight));
}

void TPdfControl::Repaint() {
    liveFrame_.reset();
    repaint();
}

void TPdfControl::paintEvent(QPaintEvent*) {
    pdfium::Lock lock(pdfium::mutex()); // as for a page change
    QPainter p(this);
    if (liveFrame_) {
        p.drawImage(QPoint(0, 0), *liveFrame_);
        return;
    }
    compose(p);
}

void TPdfControl::compose(QPainter& p) {
    PagePainter::Frame frame;
    frame.view = QRect(0, 0, layout_.viewWidth, layout_.viewHeight);
    if (layout_.horzBar && layout_.vertBar)
        frame.corner = QRect(layout_.viewWidth, layout_.viewHeight, width() - layout_.viewWidth,
                             height() - layout_.viewHeight);
    frame.cornerBrush = palette().window();
    frame.background = background_;
    frame.page = CurrentPage();
    frame.pageRect = QRect(drawX_, drawY_, layout_.width, layout_.height);
    frame.key = keyFor(pageIndex_, frame.pageRect.size());
    frame.buffered = bufferedPageDraw_;
    frame.overlay = &overlay_;
    // Once this frame is on screen, the next page is rendered so that turning to it
    // only shows it.
    if (const std::optional<PageKey> shown = pagePainter_.paint(p, frame))
        scheduleNextPage(*shown);
    if (OnPaint) {
        hookPainter_ = &p;
        try {
            OnPaint(this);
        } catch (...) {
            hookPainter_ = nullptr;
            throw;
        }
        hookPainter_ = nullptr;
    }
}

void TPdfControl::drawOnCanvas(const QRect& dirty, const std::function<void(QPainter&)>& draw) {
    if (hookPainter_) {
        draw(*hookPainter_);
        return;
    }
    // Between paints the canvas draws into the frame on screen, kept until the next repaint.
    if (!liveFrame_) {
        const qreal ratio = devicePixelRatioF();
        QImage frame(QSize(std::lround(width() * ratio), std::lround(height() * ratio)),
                     QImage::Format_RGB32); // opaque, so inverting stays reversible
        frame.setDevicePixelRatio(ratio);
        QPainter fp(&frame);
        compose(fp);
        fp.end();
        liveFrame_ = std::move(frame);
    }
    {
        QPainter fp(&*liveFrame_);
        draw(fp);
    }
    update(dirty);
}

} // namespace sumberlaras
