#pragma once

#include <QWidget>

namespace sumberlaras {

// Borderless about window; a click anywhere hides it.
class TFormAbout final : public QWidget {
public:
    explicit TFormAbout(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent*) override { hide(); }
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
};

} // namespace sumberlaras
