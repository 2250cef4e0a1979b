#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QPushButton;
class QWidget;

namespace sumberlaras {

// A push button showing one glyph of the icon font; a screen reader and the
// tooltip give its hint.
QPushButton* glyphPushButton(QWidget* parent, const char* name, char32_t code, const QString& hint,
                             int pixelSize = 16);

// The black bar of a borderless window: its title in white and a flat close
// glyph button, "Tutup" to a screen reader. The bar moves the window.
struct TitleBar {
    QWidget* bar = nullptr;
    QPushButton* close = nullptr;
};
struct TitleBarLook {
    const char* name; // the bar's object name
    int height;
    int closeSize; // the close button's side
    int glyphPixels;
    bool boldTitle = false;
};
TitleBar blackTitleBar(QWidget* window, const QString& title, const TitleBarLook& look);

// A borderless window still closes with Escape, wherever its focus is.
void closeOnEscape(QWidget* window);

// Lets a bar move its borderless window with the left button.
class TitleBarDrag final : public QObject {
public:
    explicit TitleBarDrag(QWidget* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* bar_;
    QPoint from_;
};

} // namespace sumberlaras
