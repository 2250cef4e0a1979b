#include "annotations/qt/NoteAnnotationImage.h"

#include "assets/ViewerZip.h"

namespace sumberlaras::annotations {

QImage loadNoteAnnotationImage() {
    const std::string_view png = notesPng();
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                    static_cast<int>(png.size()), "PNG");
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace sumberlaras::annotations
