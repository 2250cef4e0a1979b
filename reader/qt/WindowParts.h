#pragma once

#include <QObject>
#include <QPoint>

class QPushButton;
class QWidget;

namespace sumberlaras {

// A push button showing one glyph of the icon font; a screen reader and the
// tooltip give its hint.
QPushButton* glyphPushButton(QWidget* parent, const char* name, char32_t code, const QString& hint,
                             int pixelSize = 16);

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
