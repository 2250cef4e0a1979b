// The view's input: keys, wheel and mouse, and the text selection they make.
#include "reader/qt/PdfControl.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>

namespace sumberlaras {

namespace {

constexpr int WheelNotch = 120;
constexpr int ZoomPerNotch = 5;
constexpr double TextCursorDistance = 5.0; // points

} // namespace

// ---- selection ----

int TPdfControl::SelStart() const {
    return CurrentPage() ? selection_.first() : 0;
}

int TPdfControl::SelLength() const {
    return CurrentPage() ? selection_.length() : 0;
}

QString TPdfControl::SelectedText() const {
    TPdfPage* page = CurrentPage();
    if (!page || !selection_.active())
        return {};
    const std::u16string text = page->ReadText(SelStart(), SelLength());
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void TPdfControl::SelectAll() {
    TPdfPage* page = CurrentPage();
    if (!page)
        return;
    const int count = page->GetCharCount();
    changeSelection([count](TextSelection& s) { s.selectAll(count); });
}

void TPdfControl::ClearSelection() {
    changeSelection([](TextSelection& s) { s.clear(); });
}

void TPdfControl::changeSelection(const std::function<void(TextSelection&)>& change) {
    const TextSelection::Range before = selection_.range();
    change(selection_);
    if (selection_.range() == before)
        return;
    TPdfPage* page = CurrentPage();
    const std::vector<TRect> shown = overlay_.selectionDevice();
    overlay_.setSelection(page && selection_.active()
                              ? page->TextRects(selection_.first(), selection_.length())
                              : std::vector<TPdfRect>{});
    invalidateChanged(shown, overlay_.selectionDevice());
}

void TPdfControl::dropSelection() {
    scrollTicker_->stop();
    selection_.cancel();
    selection_.forgetChars();
    overlay_.setSelection({});
}

void TPdfControl::readChars(TPdfPage& page) {
    // Read once per shown page: every press, move and cursor change asks where its
    // characters are.
    if (!selection_.hasChars())
        selection_.setChars(page.Chars());
}

void TPdfControl::pressForSelection(const QPoint& pos, bool doubleClick) {
    TPdfPage* page = CurrentPage();
    if (!page || !allowUserTextSelection_)
        return;
    setFocus(Qt::MouseFocusReason);
    readChars(*page);
    const TPdfPoint point = DeviceToPage(pos.x(), pos.y());
    const auto doubleClickTime =
        std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    changeSelection(
        [&](TextSelection& s) { s.press(point, doubleClick, clock_->now(), doubleClickTime); });
}

void TPdfControl::dragSelectionTo(const QPoint& pos) {
    TPdfPage* page = CurrentPage();
    if (!page)
        return;
    readChars(*page);
    const TPdfPoint point = DeviceToPage(pos.x(), pos.y());
    changeSelection([&](TextSelection& s) { s.drag(point); });
}

void TPdfControl::ScrollTimerTick() {
    if (!selection_.selecting()) {
        scrollTicker_->stop();
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
        scrollTicker_->stop();
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
        readChars(*page);
        double distance = 0;
        overText = selection_.nearest(DeviceToPage(pos.x(), pos.y()), &distance) >= 0 &&
                   distance <= TextCursorDistance;
    }
    setCursor(overText ? Qt::IBeamCursor : Qt::ArrowCursor);
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
        const QPointer<TPdfControl> self(this);
        OnKeyDown(this, key, shift);
        if (!self)
            return;
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
        if (!(ctrl && selection_.active() && allowUserTextSelection_))
            return QWidget::keyPressEvent(event);
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void TPdfControl::keyReleaseEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyUp) {
        const QPointer<TPdfControl> self(this);
        OnKeyUp(this, key, shiftState(event->modifiers()));
        if (!self)
            return;
    }
    QWidget::keyReleaseEvent(event);
}

void TPdfControl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    const auto button = mouseButton(event->button());
    // A handler's message box runs the event loop, in which the book may go
    // back and its view with it.
    const QPointer<TPdfControl> self(this);
    if (button && OnMouseDown)
        OnMouseDown(this, *button, shiftState(event->modifiers(), event->buttons()), pos.x(),
                    pos.y());
    if (!self || event->button() != Qt::LeftButton)
        return;
    clickArmed_ = true;
    pressForSelection(pos, false);
}

void TPdfControl::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    clickArmed_ = false;
    const QPointer<TPdfControl> self(this);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    if (!self)
        return;
    const auto button = mouseButton(event->button());
    if (button && OnMouseDown)
        OnMouseDown(this, *button, shiftState(event->modifiers(), event->buttons()) | ssDouble,
                    pos.x(), pos.y());
    if (self && event->button() == Qt::LeftButton)
        pressForSelection(pos, true);
}

void TPdfControl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    if (OnMouseMove) {
        const QPointer<TPdfControl> self(this);
        OnMouseMove(this, shiftState(event->modifiers(), event->buttons()), pos.x(), pos.y());
        if (!self)
            return;
    }
    if (selection_.selecting() && (event->buttons() & Qt::LeftButton)) {
        dragSelectionTo(pos);
        const bool outside = !QRect(0, 0, layout_.viewWidth, layout_.viewHeight).contains(pos);
        if (outside && scrollTimerOn_) {
            if (!scrollTicker_->active())
                scrollTicker_->start(std::chrono::milliseconds(50), [this] { ScrollTimerTick(); });
        } else {
            scrollTicker_->stop();
        }
        return;
    }
    updateCursor(pos);
}

void TPdfControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    const QPointer<TPdfControl> self(this);
    if (event->button() == Qt::LeftButton && clickArmed_) {
        clickArmed_ = false;
        if (rect().contains(pos) && OnClick)
            OnClick(this);
    }
    const auto button = mouseButton(event->button());
    if (self && button && OnMouseUp)
        OnMouseUp(this, *button, shiftState(event->modifiers(), event->buttons()), pos.x(),
                  pos.y());
    if (!self)
        return;
    if (event->button() != Qt::LeftButton || !selection_.selecting())
        return;
    TPdfPage* page = CurrentPage();
    if (page)
        readChars(*page);
    const TPdfPoint point = DeviceToPage(pos.x(), pos.y());
    changeSelection([&](TextSelection& s) { s.release(point); });
    scrollTicker_->stop();
    if (selection_.active() || !OnWebLinkClick)
        return;
    if (page) {
        const std::u16string url = page->WebLinkAt(point);
        if (!url.empty())
            OnWebLinkClick(this,
                           QString::fromUtf16(url.data(), static_cast<qsizetype>(url.size())));
    }
}

} // namespace sumberlaras
