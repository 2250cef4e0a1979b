#pragma once

#include <array>
#include <functional>
#include <string>

#include <QString>
#include <QWidget>

#include "base/Dialogs.h"
#include "bookinfo/Citation.h"
#include "reader/session/Book.h"

class QLabel;
class QPushButton;

namespace sumberlaras {

// The book information window: the open book's data and six buttons that save
// a ready-made citation to an HTML file and open it. Created once, modeless,
// hidden and shown again.
class TFormInfoBuku final : public QWidget {
    Q_OBJECT
public:
    // Opens a saved file with the desktop's application for it.
    using OpenFile = std::function<void(const QString& path)>;

    explicit TFormInfoBuku(Dialogs& dialogs, OpenFile openFile = {}, QWidget* parent = nullptr);

    // Fills the window for the book of reader tab `tabSheet` and shows it in
    // front; showing it for another tab refills it.
    void showFor(int tabSheet, const reader::TDetailBook& book);
    // The book of `tabSheet` left its tab: the window goes if it shows that book.
    void bookClosed(int tabSheet);

    int TabSheet = -1; // the reader tab whose book is shown; -1 for none

    QPushButton* button(bookinfo::CitationStyle style) const;
    QLabel* valuePanel(int row) const { return values_[static_cast<size_t>(row)]; }

    void btnClick(bookinfo::CitationStyle style);
    void btnCloseClick() { close(); }

private:
    void FormShow(const reader::TDetailBook& book);

    Dialogs& dialogs_;
    OpenFile openFile_;
    QWidget* titleBar_ = nullptr;
    QPushButton* btnClose = nullptr;
    std::array<QLabel*, 6> values_{};
    std::array<QPushButton*, 6> buttons_{};
    // MLA, CHG, TRB, APA, HRV, IEE: the shown book's citations.
    std::array<std::string, 6> citations_;
};

} // namespace sumberlaras
