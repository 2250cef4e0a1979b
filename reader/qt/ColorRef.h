#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <cstdint>

namespace sumberlaras {

// Windows colour values: 0x00BBGGRR, or, with the top byte set, a system
// colour reference, of which only window text is ever stored here.
inline QColor colorOfRef(int32_t ref) {
    const auto bgr = static_cast<uint32_t>(ref);
    if (bgr & 0xFF000000u)
        return QGuiApplication::palette().color(QPalette::WindowText);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline uint32_t colorRefOf(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

} // namespace sumberlaras
