#include "reader/qt/GlyphFont.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace sumberlaras {

QFont glyphFont(int pixelSize) {
    static const QString family = [] {
        const QString file =
            QDir(QCoreApplication::applicationDirPath()).filePath("fa-solid-900.ttf");
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families =
            id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList{};
        return families.isEmpty() ? QStringLiteral("Font Awesome 5 Free") : families.front();
    }();
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Black); // the Solid face is weight 900
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace sumberlaras
