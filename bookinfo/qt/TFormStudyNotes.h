#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "bookinfo/StudyNotes.h"
#include "reader/session/Book.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace sumberlaras {

// The study notes window: what to export of the open book and how, for the
// book of one reader tab. Modeless, created once, hidden and shown again.
class TFormStudyNotes final : public QWidget {
    Q_OBJECT
public:
    using Export = std::function<void(int tabSheet, const bookinfo::NotesChoice& choice)>;

    explicit TFormStudyNotes(Export onExport, QWidget* parent = nullptr);

    // Offers the styles the book of `tabSheet` has and shows the window in front.
    void showFor(int tabSheet, const reader::TDetailBook& book);
    // The book of `tabSheet` left its tab: the window goes if it is for that book.
    void bookClosed(int tabSheet);

    int TabSheet = -1;
    bookinfo::NotesChoice choice() const;

    QRadioButton* styleButton(bookinfo::CitationStyle style) const;
    QRadioButton* rbHtml = nullptr;
    QRadioButton* rbMarkdown = nullptr;
    QCheckBox* cbHighlights = nullptr;
    QCheckBox* cbNotes = nullptr;
    QCheckBox* cbCopies = nullptr;
    QCheckBox* cbMarks = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnClose = nullptr;

    void btnExportClick();

private:
    Export onExport_;
    std::array<QRadioButton*, 6> styles_{};
};

} // namespace sumberlaras
