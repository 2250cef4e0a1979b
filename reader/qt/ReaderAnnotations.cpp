// The annotation tools on a tab's page view: the gestures, the paint hook,
// click and double-click, and what the note windows change.
#include <QLoggingCategory>
#include <QPointer>
#include <QToolButton>

#include "annotations/Document.h"
#include "annotations/qt/TFormNotes.h"
#include "annotations/qt/TFormSticky.h"
#include "annotations/qt/ViewAnnotations.h"
#include "base/LogCategories.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "reader/session/ReadingTime.h"

namespace sumberlaras {

using annotations::ToolButton;
using annotations::ViewCanvas;
using annotations::ViewTransform;

namespace {

annotations::MouseButton buttonOf(TMouseButton b) {
    switch (b) {
    case TMouseButton::mbRight:
        return annotations::MouseButton::Right;
    case TMouseButton::mbMiddle:
        return annotations::MouseButton::Middle;
    case TMouseButton::mbLeft:
        break;
    }
    return annotations::MouseButton::Left;
}

// The page-space rectangles of the view's selected text.
std::vector<annotations::PageBox> selectionOf(const TPdfControl& view) {
    std::vector<annotations::PageBox> boxes;
    TPdfPage* page = view.CurrentPage();
    if (!page || view.SelLength() <= 0)
        return boxes;
    for (const TPdfRect& r : page->TextRects(view.SelStart(), view.SelLength()))
        boxes.push_back({r.Left, r.Top, r.Right, r.Bottom});
    return boxes;
}

} // namespace

void ReaderFace::attachAnnotationTools(TPdfControl& view, const std::string& tabName) {
    view.OnMouseDown = [this](TPdfControl* v, TMouseButton b, TShiftState s, int x, int y) {
        PDFViewMouseDown(v, b, s, x, y);
    };
    view.OnMouseMove = [this](TPdfControl* v, TShiftState s, int x, int y) {
        PDFViewMouseMove(v, s, x, y);
    };
    view.OnMouseUp = [this](TPdfControl* v, TMouseButton b, TShiftState s, int x, int y) {
        PDFViewMouseUp(v, b, s, x, y);
    };
    view.OnClick = [this](TPdfControl* v) { PDFViewClick(v); };
    view.OnDblClick = [this](TPdfControl* v) { PDFViewDblClick(v); };
    // Painted once the tab's document exists, which it does from here on.
    if (auto it = readerState.find(tabName); it != readerState.end()) {
        annotationsChanged(it->second);
        view.OnPaint = [this](TPdfControl* v) { PDFViewPaint(v); };
    }
}

ReaderTab* ReaderFace::tabOfView(const TPdfControl* view) {
    for (ReaderTab& t : tabs_)
        if (t.view == view && view)
            return &t;
    return nullptr;
}

reader::TReaderSettings* ReaderFace::settingsOfView(const TPdfControl* view) {
    const ReaderTab* t = tabOfView(view);
    return t ? settingsOfTab(t->index) : nullptr;
}

void ReaderFace::PDFViewMouseDown(TPdfControl* sender, TMouseButton button, TShiftState, int X,
                                  int Y) {
    try {
        const reader::TReaderSettings* s = settingsOfView(sender);
        if (!s)
            return;
        ViewCanvas canvas(sender->Canvas(), NoteAnnotationImage);
        gesture_.press(ViewTransform(*sender), buttonOf(button), X, Y, *s, colours_, canvas);
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #1479 : ") + e.what());
    }
}

void ReaderFace::PDFViewMouseMove(TPdfControl* sender, TShiftState shift, int X, int Y) {
    reader::TReaderSettings* s = settingsOfView(sender);
    if (!s)
        return;
    // Only movement over the book's own page keeps it from going back.
    reader::mouseMoved(*s);
    try {
        ViewCanvas canvas(sender->Canvas(), NoteAnnotationImage);
        gesture_.move(ViewTransform(*sender), X, Y, (shift & ssLeft) != 0, *s, colours_, canvas);
    } catch (const std::exception& e) {
        // A move has no box of its own: one per move would bury the window.
        qCWarning(lcReader, "annotation move: %s", e.what());
    }
}

void ReaderFace::PDFViewMouseUp(TPdfControl* sender, TMouseButton button, TShiftState, int X,
                                int Y) {
    try {
        reader::TReaderSettings* s = settingsOfView(sender);
        if (!s)
            return;
        ViewCanvas canvas(sender->Canvas(), NoteAnnotationImage);
        const std::vector<annotations::PageBox> selection =
            s->CurrentHighlightAnnotState ? selectionOf(*sender)
                                          : std::vector<annotations::PageBox>{};
        const std::size_t before = annotations::items(s->AnnotationObject).size();
        const annotations::ReleaseOutcome outcome =
            gesture_.release(ViewTransform(*sender), buttonOf(button), X, Y, *s, colours_,
                             selection, s->AnnotationObject, canvas);
        if (annotations::items(s->AnnotationObject).size() != before)
            annotationsChanged(*s);
        if (outcome.placeNote)
            sticky_->place(tabOfView(sender)->name, sender);
        if (outcome.clickOff)
            clickToolOff(*outcome.clickOff);
    } catch (const std::exception& e) {
        qCWarning(lcReader, "annotation release: %s", e.what());
    }
}

void ReaderFace::clickToolOff(ToolButton tool) {
    switch (tool) {
    case ToolButton::Highlight:
        ButtonAnnotClick(ToolControl::Highlight);
        break;
    case ToolButton::Rect:
        ButtonAnnotClick(ToolControl::Rect);
        break;
    case ToolButton::Pen:
        ButtonAnnotClick(ToolControl::Pen);
        break;
    case ToolButton::Text:
        ButtonAnnotClick(ToolControl::Text);
        break;
    case ToolButton::TextSelect:
    case ToolButton::Delete:
        break;
    }
}

void ReaderFace::PDFViewClick(TPdfControl* sender) {
    try {
        reader::TReaderSettings* s = settingsOfView(sender);
        if (!s)
            return;
        ViewCanvas canvas(sender->Canvas(), NoteAnnotationImage);
        gesture_.click(s->AnnotationObject, ViewTransform(*sender), s->CurrentAnnotViewState,
                       canvas);
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #2032 : ") + e.what());
    }
}

void ReaderFace::PDFViewDblClick(TPdfControl* sender) {
    try {
        reader::TReaderSettings* s = settingsOfView(sender);
        if (!s)
            return;
        Json& document = s->AnnotationObject;
        const std::optional<std::size_t> hit =
            gesture_.itemAtClick(document, ViewTransform(*sender), s->CurrentAnnotViewState);
        if (!hit)
            return;
        const Json item = annotations::items(document)[*hit];
        const std::string type = annotations::readString(item, "type");
        if (type == "NOTES")
            notes_->showNote(tabOfView(sender)->name, *hit, sender, item);
        if (s->CurrentAnnotDeleteState &&
            (type == "RECTANGLE" || type == "HIGHLIGHT" || type == "INK")) {
            QPointer<TPdfControl> view(sender);
            const bool ok = d_.dialogs.confirm("Hapus Anotasi?", DialogButtons::OkCancel);
            // The box is modal: the book may have gone back meanwhile.
            reader::TReaderSettings* still = view ? settingsOfView(view) : nullptr;
            if (!still)
                return;
            if (ok) {
                if (const auto at = annotations::findItem(still->AnnotationObject, *hit, item))
                    annotations::deleteAt(still->AnnotationObject, *at);
                annotationsChanged(*still);
            }
            view->Repaint();
        }
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #2036 : ") + e.what());
    }
}

void ReaderFace::PDFViewPaint(TPdfControl* sender) {
    try {
        reader::TReaderSettings* s = settingsOfView(sender);
        if (!s || !s->CurrentAnnotViewState)
            return;
        tabOfView(sender)->marks.paint(*sender, s->AnnotationObject, s->AnnotationRevision,
                                       NoteAnnotationImage);
    } catch (const std::exception& e) {
        // Shown after the paint, once: a box inside a paint would paint again.
        if (paintErrorPending_)
            return;
        paintErrorPending_ = true;
        const std::string text = std::string("Error Exception #1706 : ") + e.what();
        QMetaObject::invokeMethod(
            this,
            [this, text] {
                d_.dialogs.error(text);
                paintErrorPending_ = false;
            },
            Qt::QueuedConnection);
    }
}

void ReaderFace::saveNote(const std::string& itemKey, TPdfControl& control,
                          const annotations::NoteText& note) {
    reader::TReaderSettings* s = settingsOfView(&control);
    auto it = readerState.find(itemKey);
    if (!s || it == readerState.end() || &it->second != s)
        throw std::runtime_error("buku catatan ini sudah ditutup");
    const annotations::DeviceRect& at = gesture_.DrawRect;
    // Shown at once, even while the overlay is hidden.
    control.Canvas().Draw(at.left, at.top, NoteAnnotationImage);
    annotations::append(s->AnnotationObject,
                        annotations::noteItem(control.PageIndex(), note,
                                              annotations::pageBox(ViewTransform(control), at)));
    annotationsChanged(*s);
}

bool ReaderFace::deleteNote(const std::string& key, std::size_t position, const Json& item) {
    auto it = readerState.find(key);
    if (it == readerState.end())
        return false;
    const std::optional<std::size_t> at =
        annotations::findItem(it->second.AnnotationObject, position, item);
    if (!at)
        return false;
    annotations::deleteAt(it->second.AnnotationObject, *at);
    annotationsChanged(it->second);
    for (const ReaderTab& t : tabs_)
        if (t.name == key && t.view)
            t.view->Repaint();
    return true;
}

} // namespace sumberlaras
