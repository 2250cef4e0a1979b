#pragma once

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace sumberlaras {

// A secondary window whose content comes later: created once, hidden on close.
inline QWidget* placeholderWindow(const QString& title) {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setWindowTitle(title);
    w->resize(480, 320);
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(new QLabel(title, w), 0, Qt::AlignCenter);
    return w;
}

} // namespace sumberlaras
