#pragma once

#include <QFont>
#include <QString>

namespace sumberlaras {

// "Font Awesome 5 Free Solid" at `pixelSize`, loaded once from the file the
// build puts beside the executable.
QFont glyphFont(int pixelSize);

// One glyph of that font as text.
inline QString glyph(char32_t codePoint) {
    return QString::fromUcs4(&codePoint, 1);
}

} // namespace sumberlaras
