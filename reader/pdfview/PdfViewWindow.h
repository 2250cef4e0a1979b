#pragma once

#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace sumberlaras {

class TPdfControl;

// A window around one page view: zoom list, page buttons, selection and search.
class PdfViewWindow : public QMainWindow {
    Q_OBJECT
public:
    PdfViewWindow();
    TPdfControl& view() { return *view_; }
    // Opens the file; false with `error` set when it cannot be shown.
    bool open(const QString& path, QString& error);
    void setZoomIndex(int index);
    void setMarkedWord(const QString& word);

private:
    void applyZoom(int index);
    void showPageNumber();

    TPdfControl* view_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QLabel* page_ = nullptr;
    QCheckBox* selection_ = nullptr;
    QLineEdit* search_ = nullptr;
};

} // namespace sumberlaras
