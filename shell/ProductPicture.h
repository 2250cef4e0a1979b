#pragma once

#include <QWidget>

namespace sumberlaras {

// The product picture of the splash and about windows: 350 by 350, drawn.
class ProductPicture final : public QWidget {
public:
    explicit ProductPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace sumberlaras
