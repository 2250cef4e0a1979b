// The reader without a mouse: search, tabs, zoom, return and paging keys. The
// keys are live while the focus is anywhere in the reader face; each shows in
// its control's tooltip. Keys leave the idle count alone, as the mouse rule has it.
#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "reader/session/TabChoice.h"

namespace sumberlaras {

namespace {

// "Hint (Alt+Right)": the tooltip names the keys; the spoken name stays the hint.
void showKeys(QWidget* control, const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& k : keys)
        names << k.toString(QKeySequence::NativeText);
    control->setToolTip(control->toolTip() + QStringLiteral(" (") +
                        names.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

} // namespace

const QKeySequence ReaderFace::kFindKeys = QKeySequence(Qt::CTRL | Qt::Key_F);

void ReaderFace::installKeys() {
    auto key = [this](const QKeySequence& keys, QWidget* control, void (ReaderFace::*act)()) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, act);
        if (control)
            showKeys(control, {keys});
        return s;
    };
    key(QKeySequence(Qt::Key_F3), btnSearchNext, &ReaderFace::btnSearchNextClick);
    key(QKeySequence(Qt::SHIFT | Qt::Key_F3), btnSearchPrevious,
        &ReaderFace::btnSearchPreviousClick);
    key(QKeySequence(Qt::CTRL | Qt::Key_Tab), nullptr, &ReaderFace::nextBook);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), nullptr, &ReaderFace::previousBook);
    key(QKeySequence(Qt::CTRL | Qt::Key_Plus), nullptr, &ReaderFace::zoomIn);
    // Where plus shares its key with "=", the key as typed.
    key(QKeySequence(Qt::CTRL | Qt::Key_Equal), nullptr, &ReaderFace::zoomIn);
    key(QKeySequence(Qt::CTRL | Qt::Key_Minus), nullptr, &ReaderFace::zoomOut);
    key(QKeySequence(Qt::CTRL | Qt::Key_0), nullptr, &ReaderFace::zoomReset);
    showKeys(cmbZoom, {QKeySequence(Qt::CTRL | Qt::Key_Plus),
                       QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(Qt::CTRL | Qt::Key_0)});
    key(QKeySequence(Qt::CTRL | Qt::Key_W), btnReturn, &ReaderFace::btnReturnClick);
    key(QKeySequence(Qt::ALT | Qt::Key_Left), btnPrevious, &ReaderFace::btnPreviousClick);
    key(QKeySequence(Qt::ALT | Qt::Key_Right), btnNext, &ReaderFace::btnNextClick);
    showKeys(edSearch, {kFindKeys});
}

QString ReaderFace::bookTabToolTip(const QString& title) {
    return title + QStringLiteral("\n(") +
           QKeySequence(Qt::CTRL | Qt::Key_Tab).toString(QKeySequence::NativeText) +
           QStringLiteral(", ") +
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab).toString(QKeySequence::NativeText) +
           QLatin1Char(')');
}

void ReaderFace::focusSearch() {
    edSearch->setFocus(Qt::ShortcutFocusReason);
    edSearch->selectAll();
}

void ReaderFace::switchBook(int step) {
    const int current = activeIndex();
    for (int i = 1; i < reader::kTabCount; ++i) {
        const int index =
            ((current + step * i) % reader::kTabCount + reader::kTabCount) % reader::kTabCount;
        if (tabs_[index].holdsBook() && pageControl_->isTabVisible(index)) {
            pageControl_->setCurrentIndex(index);
            if (tabs_[index].view)
                tabs_[index].view->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void ReaderFace::zoomTo(int item) {
    if (!activeView() || item < 0 || item >= cmbZoom->count() || item == cmbZoom->currentIndex())
        return;
    cmbZoom->setCurrentIndex(item);
    cmbZoomChange(item);
}

} // namespace sumberlaras
