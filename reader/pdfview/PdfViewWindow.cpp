#include "reader/pdfview/PdfViewWindow.h"

#include "reader/qt/PdfControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace sumberlaras {

namespace {

struct ZoomChoice {
    const char* label;
    TPdfControlScaleMode mode;
    int percentage;
};

constexpr ZoomChoice zoomChoices[] = {
    {"Whole page", TPdfControlScaleMode::smFitAuto, 100},
    {"Fit width", TPdfControlScaleMode::smFitWidth, 100},
    {"Fit height", TPdfControlScaleMode::smFitHeight, 100},
    {"50%", TPdfControlScaleMode::smZoom, 50},
    {"100%", TPdfControlScaleMode::smZoom, 100},
    {"200%", TPdfControlScaleMode::smZoom, 200},
    {"400%", TPdfControlScaleMode::smZoom, 400},
};

} // namespace

PdfViewWindow::PdfViewWindow() {
    view_ = new TPdfControl(this);
    setCentralWidget(view_);
    auto* bar = addToolBar("View");
    bar->setMovable(false);

    zoom_ = new QComboBox(bar);
    for (const ZoomChoice& z : zoomChoices)
        zoom_->addItem(z.label);
    bar->addWidget(zoom_);
    connect(zoom_, &QComboBox::currentIndexChanged, this, &PdfViewWindow::applyZoom);

    auto* first = bar->addAction("|<");
    auto* previous = bar->addAction("<");
    page_ = new QLabel(bar);
    page_->setMinimumWidth(70);
    page_->setAlignment(Qt::AlignCenter);
    bar->addWidget(page_);
    auto* next = bar->addAction(">");
    auto* last = bar->addAction(">|");
    connect(first, &QAction::triggered, this, [this] { view_->setPageIndex(0); });
    connect(previous, &QAction::triggered, this,
            [this] { view_->setPageIndex(view_->PageIndex() - 1); });
    connect(next, &QAction::triggered, this,
            [this] { view_->setPageIndex(view_->PageIndex() + 1); });
    connect(last, &QAction::triggered, this,
            [this] { view_->setPageIndex(view_->PageCount() - 1); });

    selection_ = new QCheckBox("Select text", bar);
    selection_->setChecked(view_->AllowUserTextSelection());
    bar->addWidget(selection_);
    connect(selection_, &QCheckBox::toggled, this, [this](bool on) {
        view_->setAllowUserTextSelection(on);
        if (!on)
            view_->ClearSelection();
    });

    auto* autoTurn = new QCheckBox("Turn pages by scrolling", bar);
    bar->addWidget(autoTurn);
    connect(autoTurn, &QCheckBox::toggled, this, [this](bool on) { view_->setAutoPageChange(on); });

    search_ = new QLineEdit(bar);
    search_->setPlaceholderText("Mark words");
    search_->setMaximumWidth(180);
    bar->addWidget(search_);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            view_->ClearHighlightText();
        else
            view_->HightlightText(text, false, true);
    });

    view_->OnPageChange = [this](TPdfControl*) { showPageNumber(); };
    showPageNumber();
    resize(1000, 800);
}

bool PdfViewWindow::open(const QString& path, QString& error) {
    try {
        view_->LoadFromFile(path);
    } catch (const EPdfError& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
    setWindowTitle(path + " - pdfview");
    return true;
}

void PdfViewWindow::setZoomIndex(int index) {
    zoom_->setCurrentIndex(index);
}

void PdfViewWindow::setMarkedWord(const QString& word) {
    search_->setText(word);
}

void PdfViewWindow::applyZoom(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(zoomChoices)))
        return;
    view_->setScaleMode(zoomChoices[index].mode);
    view_->setZoomPercentage(zoomChoices[index].percentage);
}

void PdfViewWindow::showPageNumber() {
    const int count = view_->PageCount();
    page_->setText(count == 0 ? QString("-")
                              : QString("%1/%2").arg(view_->PageIndex() + 1).arg(count));
}

} // namespace sumberlaras
