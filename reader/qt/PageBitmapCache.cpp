#include "reader/qt/PageBitmapCache.h"

#include "reader/engine/PageLayout.h"

#include <cmath>
#include <exception>

namespace sumberlaras {

const QImage& PageBitmapCache::bitmapFor(TPdfPage& page, const PageKey& key) {
    Bitmap* bitmap = find(key);
    if (!bitmap) {
        bitmap = &spare(nullptr);
        render(*bitmap, page, key);
        if (bitmap->image.width() * qint64(bitmap->image.height()) > KeptPixelLimit)
            for (Bitmap& other : bitmaps_)
                if (&other != bitmap)
                    other = Bitmap{}; // one big page in memory is enough
    }
    bitmap->used = ++use_;
    return bitmap->image;
}

bool PageBitmapCache::holds(const PageKey& key) const {
    for (const Bitmap& b : bitmaps_)
        if (!b.image.isNull() && b.key == key)
            return true;
    return false;
}

bool PageBitmapCache::claimAhead(const PageKey& shown) {
    if (shown == aheadOf_)
        return false;
    aheadOf_ = shown;
    return true;
}

void PageBitmapCache::renderAhead(TPdfPage& next, const PageKey& key, const PageKey& shown,
                                  const QSize& view) {
    const int width = key.size.width(), height = key.size.height();
    // Big pages are rendered directly each time, and their bitmaps are not kept twice.
    if (key.size.isEmpty() || rendersDirectly(width, height, view.width(), view.height()) ||
        width * key.ratio * height * key.ratio > KeptPixelLimit || find(key))
        return;
    try {
        render(spare(find(shown)), next, key);
    } catch (const std::exception&) {
        // Rendered, and reported, when shown.
    }
}

void PageBitmapCache::clear() {
    bitmaps_ = {};
    aheadOf_ = {};
}

PageBitmapCache::Bitmap* PageBitmapCache::find(const PageKey& key) {
    for (Bitmap& b : bitmaps_)
        if (!b.image.isNull() && b.key == key)
            return &b;
    return nullptr;
}

PageBitmapCache::Bitmap& PageBitmapCache::spare(const Bitmap* keep) {
    Bitmap* spare = nullptr;
    for (Bitmap& b : bitmaps_)
        if (&b != keep && (!spare || b.used < spare->used))
            spare = &b;
    return *spare;
}

void PageBitmapCache::render(Bitmap& b, TPdfPage& page, const PageKey& key) {
    const QSize pixels(std::lround(key.size.width() * key.ratio),
                       std::lround(key.size.height() * key.ratio));
    if (b.image.size() != pixels)
        b.image = QImage(pixels, QImage::Format_RGB32);
    b.key = PageKey{}; // until the render below is done
    page.Render(b.image.bits(), b.image.width(), b.image.height(),
                static_cast<int>(b.image.bytesPerLine()), 0, 0, b.image.width(), b.image.height(),
                key.rotation, key.flags, key.color);
    b.image.setDevicePixelRatio(key.ratio);
    b.key = key;
    b.used = ++use_;
}

} // namespace sumberlaras
