#include "reader/qt/PdfControl.h"

#include "reader/engine/RectMerge.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QIODevice>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace sumberlaras {

namespace {

constexpr int ScrollStepPixels = 25;
constexpr int WheelNotch = 120;
constexpr int ZoomPerNotch = 5;
constexpr double TextCursorDistance = 5.0; // points

QRect toQRect(const TRect& r) {
    return QRect(QPoint(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
                 QPoint(std::max(r.Left, r.Right) - 1, std::max(r.Top, r.Bottom) - 1));
}

TShiftState shiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton) {
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier)
        s |= ssShift;
    if (mods & Qt::AltModifier)
        s |= ssAlt;
    if (mods & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

std::optional<TMouseButton> mouseButton(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return TMouseButton::mbLeft;
    case Qt::RightButton:
        return TMouseButton::mbRight;
    case Qt::MiddleButton:
        return TMouseButton::mbMiddle;
    default:
        return std::nullopt;
    }
}

qint64 processMilliseconds() {
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

} // namespace

TPdfControl::TPdfControl(QWidget* Owner)
    : QWidget(Owner), document_(std::make_unique<TPdfDocument>()), canvas_(*this) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    horzBar_ = new QScrollBar(Qt::Horizontal, this);
    vertBar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {horzBar_, vertBar_}) {
        bar->setSingleStep(ScrollStepPixels);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(vertBar_, &QScrollBar::actionTriggered, this, &TPdfControl::onVertAction);
    connect(horzBar_, &QScrollBar::actionTriggered, this, &TPdfControl::onHorzAction);
    connect(vertBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncingBars_ && v != vertPos_)
            setScrollPositions(horzPos_, v);
    });
    connect(horzBar_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!syncingBars_ && v != horzPos_)
            setScrollPositions(v, vertPos_);
    });
    scrollTimer_.setInterval(50);
    connect(&scrollTimer_, &QTimer::timeout, this, &TPdfControl::ScrollTimerTick);
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
    selecting_ = false;
    scrollTimer_.stop();
    clearBitmaps();
    document_->Close();
    pageIndex_ = 0;
    horzPos_ = vertPos_ = 0;
    selStart_ = selStop_ = 0;
    selActive_ = false;
    selRects_.clear();
    marks_.clear();
    selDeviceDirty_ = marksDeviceDirty_ = true;
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
    const int count = PageCount();
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (index == pageIndex_)
        return;
    selecting_ = false;
    scrollTimer_.stop();
    selStart_ = selStop_ = 0;
    selActive_ = false;
    selRects_.clear();
    selDeviceDirty_ = true;
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
        clearBitmaps();
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
    selDeviceDirty_ = marksDeviceDirty_ = true;
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

void TPdfControl::onVertAction(int action) {
    int offset = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        offset = ScrollStepPixels;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        offset = -ScrollStepPixels;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        offset = layout_.viewHeight;
        break;
    case QAbstractSlider::SliderPageStepSub:
        offset = -layout_.viewHeight;
        break;
    default:
        return; // thumb drags and jumps arrive through valueChanged
    }
    scrollVerticallyBy(offset);
    vertBar_->setSliderPosition(vertPos_); // our rule, not the bar's own step
}

void TPdfControl::onHorzAction(int action) {
    int offset = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        offset = ScrollStepPixels;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        offset = -ScrollStepPixels;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        offset = layout_.viewWidth;
        break;
    case QAbstractSlider::SliderPageStepSub:
        offset = -layout_.viewWidth;
        break;
    default:
        return;
    }
    scrollHorizontallyBy(offset);
    horzBar_->setSliderPosition(horzPos_);
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

// ---- selection ----

int TPdfControl::SelStart() const {
    if (!selActive_ || !CurrentPage())
        return 0;
    return std::min(selStart_, selStop_);
}

int TPdfControl::SelLength() const {
    if (!selActive_ || !CurrentPage())
        return 0;
    return std::abs(selStop_ - selStart_) + 1;
}

QString TPdfControl::SelectedText() const {
    TPdfPage* page = CurrentPage();
    if (!page || !selActive_)
        return {};
    const std::u16string text = page->ReadText(SelStart(), SelLength());
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void TPdfControl::SelectAll() {
    TPdfPage* page = CurrentPage();
    if (!page)
        return;
    const int count = page->GetCharCount();
    if (count > 0)
        setSelection(0, count - 1, true);
}

void TPdfControl::ClearSelection() {
    setSelection(0, 0, false);
}

void TPdfControl::setSelection(int start, int stop, bool active) {
    if (start == selStart_ && stop == selStop_ && active == selActive_)
        return;
    const std::vector<TRect> before = selectionDevice();
    selStart_ = start;
    selStop_ = stop;
    selActive_ = active;
    selRects_ = selectionRects();
    selDeviceDirty_ = true;
    invalidateChanged(before, selectionDevice());
}

std::vector<TPdfRect> TPdfControl::selectionRects() const {
    TPdfPage* page = CurrentPage();
    if (!page || !selActive_)
        return {};
    return page->TextRects(SelStart(), SelLength());
}

std::u16string TPdfControl::pageText() const {
    TPdfPage* page = CurrentPage();
    return page ? page->ReadText(0, page->GetCharCount()) : std::u16string();
}

bool TPdfControl::insideChar(const TPdfPoint& p, int index) const {
    TPdfPage* page = CurrentPage();
    if (!page)
        return false;
    const auto box = page->CharBox(index);
    return box && p.X >= std::min(box->Left, box->Right) &&
           p.X <= std::max(box->Left, box->Right) && p.Y >= std::min(box->Bottom, box->Top) &&
           p.Y <= std::max(box->Bottom, box->Top);
}

bool TPdfControl::insideRange(const TPdfPoint& p, const CharRange& range) const {
    for (int i = range.first; i <= range.last; ++i)
        if (insideChar(p, i))
            return true;
    return false;
}

void TPdfControl::pressForSelection(const QPoint& pos, bool doubleClick) {
    TPdfPage* page = CurrentPage();
    if (!page || !allowUserTextSelection_)
        return;
    setFocus(Qt::MouseFocusReason);
    const TPdfPoint point = DeviceToPage(pos.x(), pos.y());
    const int index = page->NearestChar(point);
    if (index < 0)
        return;
    const qint64 t = now();
    if (doubleClick) {
        const CharRange word = wordAround(pageText(), index);
        setSelection(word.first, word.last, true);
        lineWindowWord_ = word;
        lineWindowEnd_ = t + QGuiApplication::styleHints()->mouseDoubleClickInterval();
        extendByRange_ = true;
    } else if (lineWindowEnd_ >= 0 && t <= lineWindowEnd_ && insideRange(point, lineWindowWord_)) {
        const CharRange line = lineAround(pageText(), index);
        setSelection(line.first, line.last, true);
        lineWindowEnd_ = -1;
        extendByRange_ = true;
    } else {
        lineWindowEnd_ = -1;
        extendByRange_ = false;
        pressPoint_ = point;
        setSelection(index, index, false);
    }
    selecting_ = true;
}

void TPdfControl::dragSelectionTo(const QPoint& pos) {
    TPdfPage* page = CurrentPage();
    if (!page)
        return;
    const TPdfPoint point = DeviceToPage(pos.x(), pos.y());
    const int index = page->NearestChar(point);
    if (index < 0)
        return;
    if (extendByRange_) {
        // A word or line stays selected whole; dragging past it extends from its far end.
        const int low = std::min(selStart_, selStop_), high = std::max(selStart_, selStop_);
        if (index < low)
            setSelection(high, index, true);
        else if (index > high)
            setSelection(low, index, true);
        return;
    }
    bool active = true;
    if (index == selStart_)
        active = insideChar(pressPoint_, index) != insideChar(point, index);
    setSelection(selStart_, index, active);
}

void TPdfControl::ScrollTimerTick() {
    if (!selecting_) {
        scrollTimer_.stop();
        return;
    }
    const QPoint p = lastMousePos_;
    int dx = 0, dy = 0;
    if (p.x() < 0)
        dx = -ScrollStepPixels;
    else if (p.x() >= layout_.viewWidth)
        dx = ScrollStepPixels;
    if (p.y() < 0)
        dy = -ScrollStepPixels;
    else if (p.y() >= layout_.viewHeight)
        dy = ScrollStepPixels;
    if (dx == 0 && dy == 0) {
        scrollTimer_.stop();
        return;
    }
    scrollHorizontallyBy(dx);
    scrollVerticallyBy(dy, false); // turning the page would drop the selection being made
    dragSelectionTo(p);
}

void TPdfControl::updateCursor(const QPoint& pos) {
    TPdfPage* page = CurrentPage();
    bool overText = false;
    if (page && allowUserTextSelection_) {
        double distance = 0;
        overText = page->NearestChar(DeviceToPage(pos.x(), pos.y()), &distance) >= 0 &&
                   distance <= TextCursorDistance;
    }
    setCursor(overText ? Qt::IBeamCursor : Qt::ArrowCursor);
}

qint64 TPdfControl::now() const {
    return clock_ ? clock_() : processMilliseconds();
}

// ---- search marks ----

void TPdfControl::HightlightText(const QString& SearchText, bool MatchCase, bool MatchWholeWord) {
    highlightText_ = SearchText.toStdU16String();
    highlightMatchCase_ = MatchCase;
    highlightWholeWord_ = MatchWholeWord;
    const std::vector<TRect> before = marksDevice();
    recomputeMarks();
    invalidateChanged(before, marksDevice());
}

void TPdfControl::ClearHighlightText() {
    highlightText_.clear();
    const std::vector<TRect> before = marksDevice();
    marks_.clear();
    marksDeviceDirty_ = true;
    invalidateChanged(before, marksDevice());
}

void TPdfControl::recomputeMarks() {
    marks_.clear();
    marksDeviceDirty_ = true;
    TPdfPage* page = CurrentPage();
    if (!page || highlightText_.empty())
        return;
    for (TPdfMatch& match : page->FindAll(highlightText_, highlightMatchCase_, highlightWholeWord_))
        marks_.insert(marks_.end(), match.Rects.begin(), match.Rects.end());
}

// ---- painting ----

void TPdfControl::invalidate() {
    liveFrame_.reset();
    update();
}

std::vector<TRect> TPdfControl::deviceRects(const std::vector<TPdfRect>& rects, int gap) const {
    std::vector<TRect> device;
    device.reserve(rects.size());
    for (const TPdfRect& r : rects)
        device.push_back(PageToDevice(r));
    return mergeLineRects(device, gap);
}

const std::vector<TRect>& TPdfControl::selectionDevice() {
    if (selDeviceDirty_) {
        // A selection is one run of text: it spans the spaces between its words.
        selDevice_ = selActive_ ? deviceRects(selRects_, LineHeightGap) : std::vector<TRect>{};
        selDeviceDirty_ = false;
    }
    return selDevice_;
}

const std::vector<TRect>& TPdfControl::marksDevice() {
    if (marksDeviceDirty_) {
        marksDevice_ = deviceRects(marks_, 2); // matches stay apart
        marksDeviceDirty_ = false;
    }
    return marksDevice_;
}

void TPdfControl::invalidateChanged(const std::vector<TRect>& before,
                                    const std::vector<TRect>& after) {
    QRegion changed;
    for (const TRect& r : before)
        if (std::find(after.begin(), after.end(), r) == after.end())
            changed += toQRect(r).adjusted(-1, -1, 1, 1);
    for (const TRect& r : after)
        if (std::find(before.begin(), before.end(), r) == before.end())
            changed += toQRect(r).adjusted(-1, -1, 1, 1);
    if (changed.isEmpty())
        return;
    liveFrame_.reset();
    update(changed);
}

TPdfControl::PageKey TPdfControl::keyFor(int index, const QSize& size) const {
    return PageKey{index,     size,         devicePixelRatioF(),
                   rotation_, drawOptions_, pageColor_.rgba() | 0xFF000000u};
}

TPdfControl::PageBitmap* TPdfControl::cachedBitmap(const PageKey& key) {
    for (PageBitmap& b : bitmaps_)
        if (!b.image.isNull() && b.key == key)
            return &b;
    return nullptr;
}

TPdfControl::PageBitmap& TPdfControl::spareBitmap(const PageBitmap* keep) {
    PageBitmap* spare = nullptr;
    for (PageBitmap& b : bitmaps_)
        if (&b != keep && (!spare || b.used < spare->used))
            spare = &b;
    return *spare;
}

void TPdfControl::renderBitmap(PageBitmap& b, TPdfPage& page, const PageKey& key) {
    const QSize pixels(std::lround(key.size.width() * key.ratio),
                       std::lround(key.size.height() * key.ratio));
    // Pages of one book share their size: a buffer is reused for another page.
    if (b.image.size() != pixels)
        b.image = QImage(pixels, QImage::Format_RGB32);
    b.key = PageKey{}; // until the render below is done
    page.Render(b.image.bits(), b.image.width(), b.image.height(),
                static_cast<int>(b.image.bytesPerLine()), 0, 0, b.image.width(), b.image.height(),
                key.rotation, key.flags, key.color);
    b.image.setDevicePixelRatio(key.ratio);
    b.key = key;
    b.used = ++bitmapUse_;
}

void TPdfControl::clearBitmaps() {
    bitmaps_ = {};
    aheadOf_ = {};
}

void TPdfControl::scheduleNextPage(const PageKey& shown) {
    // Once for each way a page is shown, not on every repaint of it.
    if (shown == aheadOf_ || !document_->Pages(pageIndex_ + 1))
        return;
    aheadOf_ = shown;
    QTimer::singleShot(0, this, &TPdfControl::prerenderNextPage);
}

void TPdfControl::prerenderNextPage() {
    TPdfPage* next = document_->Pages(pageIndex_ + 1);
    if (!isVisible()) {
        aheadOf_ = {}; // again once it is shown
        return;
    }
    if (!next)
        return;
    next->Prepare(); // opened, at least, so that turning to it only renders
    if (!bufferedPageDraw_)
        return;
    const PageLayout layout = computePageLayout(layoutInput(next));
    const PageKey key = keyFor(pageIndex_ + 1, QSize(layout.width, layout.height));
    // Big pages are rendered directly each time, and their bitmaps are not kept twice.
    if (key.size.isEmpty() ||
        rendersDirectly(layout.width, layout.height, layout.viewWidth, layout.viewHeight) ||
        layout.width * key.ratio * layout.height * key.ratio > KeptBitmapPixelLimit ||
        cachedBitmap(key))
        return;
    const PageBitmap* shown =
        cachedBitmap(keyFor(pageIndex_, QSize(layout_.width, layout_.height)));
    try {
        renderBitmap(spareBitmap(shown), *next, key);
    } catch (const std::exception&) {
        // A page that cannot be rendered ahead is rendered, and reported, when shown.
    }
}

void TPdfControl::Repaint() {
    liveFrame_.reset();
    repaint();
}

void TPdfControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (liveFrame_) {
        p.drawImage(QPoint(0, 0), *liveFrame_);
        return;
    }
    compose(p);
}

void TPdfControl::compose(QPainter& p) {
    const QRect view(0, 0, layout_.viewWidth, layout_.viewHeight);
    if (layout_.horzBar && layout_.vertBar)
        p.fillRect(QRect(layout_.viewWidth, layout_.viewHeight, width() - layout_.viewWidth,
                         height() - layout_.viewHeight),
                   palette().window());
    TPdfPage* page = CurrentPage();
    const QRect pageRect(drawX_, drawY_, layout_.width, layout_.height);
    if (!page || pageRect.isEmpty()) {
        p.fillRect(view, background_);
    } else {
        p.save();
        p.setClipRect(view, Qt::IntersectClip);
        for (const QRect& r : QRegion(view).subtracted(pageRect))
            p.fillRect(r, background_);
        drawPage(p, *page, pageRect, view);
        blendRects(p, selectionDevice(), SelectionColor);
        blendRects(p, marksDevice(), HighlightColor);
        p.restore();
    }
    if (OnPaint) {
        painter_ = &p;
        try {
            OnPaint(this);
        } catch (...) {
            painter_ = nullptr;
            throw;
        }
        painter_ = nullptr;
    }
}

void TPdfControl::drawPage(QPainter& p, TPdfPage& page, const QRect& pageRect, const QRect& view) {
    const qreal ratio = devicePixelRatioF();
    const QRgb color = pageColor_.rgba() | 0xFF000000u;
    const bool direct = !bufferedPageDraw_ || rendersDirectly(pageRect.width(), pageRect.height(),
                                                              view.width(), view.height());
    if (direct) {
        // Only the visible part, straight from PDFium.
        const QRect visible = pageRect & view & p.clipBoundingRect().toAlignedRect();
        if (visible.isEmpty())
            return;
        QImage image(
            QSize(std::lround(visible.width() * ratio), std::lround(visible.height() * ratio)),
            QImage::Format_RGB32);
        page.Render(image.bits(), image.width(), image.height(),
                    static_cast<int>(image.bytesPerLine()),
                    static_cast<int>(std::lround((pageRect.x() - visible.x()) * ratio)),
                    static_cast<int>(std::lround((pageRect.y() - visible.y()) * ratio)),
                    static_cast<int>(std::lround(pageRect.width() * ratio)),
                    static_cast<int>(std::lround(pageRect.height() * ratio)), rotation_,
                    drawOptions_, color);
        image.setDevicePixelRatio(ratio);
        p.drawImage(visible.topLeft(), image);
        scheduleNextPage(keyFor(pageIndex_, pageRect.size()));
        return;
    }
    const PageKey key = keyFor(pageIndex_, pageRect.size());
    PageBitmap* bitmap = cachedBitmap(key);
    if (!bitmap) {
        bitmap = &spareBitmap(nullptr);
        renderBitmap(*bitmap, page, key);
        if (bitmap->image.width() * qint64(bitmap->image.height()) > KeptBitmapPixelLimit)
            for (PageBitmap& other : bitmaps_)
                if (&other != bitmap)
                    other = PageBitmap{}; // one big page in memory is enough
    }
    bitmap->used = ++bitmapUse_;
    p.drawImage(pageRect.topLeft(), bitmap->image);
    // Once this frame is on screen, the next page is rendered so that turning to it
    // only shows it.
    scheduleNextPage(key);
}

void TPdfControl::blendRects(QPainter& p, const std::vector<TRect>& rects, QRgb color) {
    if (rects.empty())
        return;
    // One area, so that line rectangles that touch are not blended twice where they meet.
    QRegion area;
    for (const TRect& r : rects)
        area += toQRect(r);
    // The area's rectangles never overlap: filled one by one, with no clip region to
    // test each pixel against.
    p.save();
    p.setOpacity(MarkOpacity / 255.0);
    const QColor fill = QColor::fromRgb(color);
    for (const QRect& r : area)
        p.fillRect(r, fill);
    p.restore();
}

void TPdfControl::drawOnCanvas(const QRect& dirty, const std::function<void(QPainter&)>& draw) {
    if (painter_) {
        draw(*painter_);
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

// ---- input ----

void TPdfControl::resizeEvent(QResizeEvent*) {
    relayout();
}

void TPdfControl::wheelEvent(QWheelEvent* event) {
    event->accept();
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (event->modifiers() & Qt::ControlModifier) {
        if (scaleMode_ == TPdfControlScaleMode::smZoom)
            setZoomPercentage(zoomPercentage_ + delta * ZoomPerNotch / WheelNotch);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier)
        scrollHorizontallyBy(-delta);
    else
        scrollVerticallyBy(-delta);
}

void TPdfControl::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    const TShiftState shift = shiftState(event->modifiers());
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) {
            event->accept();
            return;
        }
    }
    const bool ctrl = shift & ssCtrl;
    const bool withShift = shift & ssShift;
    const int step = withShift ? 2 * ScrollStepPixels : ScrollStepPixels;
    switch (key) {
    case Qt::Key_Up:
        scrollVerticallyBy(-step);
        break;
    case Qt::Key_Down:
        scrollVerticallyBy(step);
        break;
    case Qt::Key_Left:
        scrollHorizontallyBy(-step);
        break;
    case Qt::Key_Right:
        scrollHorizontallyBy(step);
        break;
    case Qt::Key_PageDown:
        if (allowUserPageChange_ && (!layout_.vertBar || vertPos_ >= layout_.vertMax()))
            changePage(pageIndex_ + 1, ShowFrom::Top);
        else
            scrollVerticallyBy(layout_.viewHeight);
        break;
    case Qt::Key_PageUp:
        if (allowUserPageChange_ && (!layout_.vertBar || vertPos_ <= 0))
            changePage(pageIndex_ - 1, ShowFrom::Bottom);
        else
            scrollVerticallyBy(-layout_.viewHeight);
        break;
    case Qt::Key_Home:
        if (ctrl)
            changePage(0, ShowFrom::Top);
        else if (withShift)
            setScrollPositions(0, vertPos_);
        else
            setScrollPositions(horzPos_, 0);
        break;
    case Qt::Key_End:
        if (ctrl)
            changePage(PageCount() - 1, ShowFrom::Bottom);
        else if (withShift)
            setScrollPositions(layout_.horzMax(), vertPos_);
        else
            setScrollPositions(horzPos_, layout_.vertMax());
        break;
    case Qt::Key_A:
        if (!ctrl)
            return QWidget::keyPressEvent(event);
        if (allowUserTextSelection_)
            SelectAll();
        break;
    case Qt::Key_C:
    case Qt::Key_Insert:
        // Copying is the reader's business; the view only keeps the key to itself.
        if (!(ctrl && selActive_ && allowUserTextSelection_))
            return QWidget::keyPressEvent(event);
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void TPdfControl::keyReleaseEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyUp)
        OnKeyUp(this, key, shiftState(event->modifiers()));
    QWidget::keyReleaseEvent(event);
}

void TPdfControl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    const auto button = mouseButton(event->button());
    if (button && OnMouseDown)
        OnMouseDown(this, *button, shiftState(event->modifiers(), event->buttons()), pos.x(),
                    pos.y());
    if (event->button() != Qt::LeftButton)
        return;
    clickArmed_ = true;
    pressForSelection(pos, false);
}

void TPdfControl::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    clickArmed_ = false;
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    const auto button = mouseButton(event->button());
    if (button && OnMouseDown)
        OnMouseDown(this, *button, shiftState(event->modifiers(), event->buttons()) | ssDouble,
                    pos.x(), pos.y());
    if (event->button() == Qt::LeftButton)
        pressForSelection(pos, true);
}

void TPdfControl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    if (OnMouseMove)
        OnMouseMove(this, shiftState(event->modifiers(), event->buttons()), pos.x(), pos.y());
    if (selecting_ && (event->buttons() & Qt::LeftButton)) {
        dragSelectionTo(pos);
        const bool outside = !QRect(0, 0, layout_.viewWidth, layout_.viewHeight).contains(pos);
        if (outside && scrollTimerOn_) {
            if (!scrollTimer_.isActive())
                scrollTimer_.start();
        } else {
            scrollTimer_.stop();
        }
        return;
    }
    updateCursor(pos);
}

void TPdfControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    if (event->button() == Qt::LeftButton && clickArmed_) {
        clickArmed_ = false;
        if (rect().contains(pos) && OnClick)
            OnClick(this);
    }
    const auto button = mouseButton(event->button());
    if (button && OnMouseUp)
        OnMouseUp(this, *button, shiftState(event->modifiers(), event->buttons()), pos.x(),
                  pos.y());
    if (event->button() != Qt::LeftButton || !selecting_)
        return;
    dragSelectionTo(pos);
    selecting_ = false;
    scrollTimer_.stop();
    if (selActive_ || !OnWebLinkClick)
        return;
    if (TPdfPage* page = CurrentPage()) {
        const std::u16string url = page->WebLinkAt(DeviceToPage(pos.x(), pos.y()));
        if (!url.empty())
            OnWebLinkClick(this,
                           QString::fromUtf16(url.data(), static_cast<qsizetype>(url.size())));
    }
}

} // namespace sumberlaras
