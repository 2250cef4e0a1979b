#include "reader/qt/PageBitmapCache.h"

#include "reader/engine/PdfDocument.h"
#include "tests/reader/ReaderFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace sumberlaras {
namespace {

PageKey keyOf(int index, QSize size = {232, 300}) {
    return PageKey{index, size, 1.0, TPdfRotation::prNone, 0, 0xFFFFFFFF};
}

class PageBitmapCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QByteArray bytes = testing::bookPdf();
        doc.LoadFromMemory(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    TPdfPage& page(int index) { return *doc.Pages(index); }

    TPdfDocument doc;
    PageBitmapCache cache;
};

TEST_F(PageBitmapCacheTest, AKeptPageIsNotRenderedAgain) {
    const QImage& first = cache.bitmapFor(page(0), keyOf(0));
    EXPECT_TRUE(cache.holds(keyOf(0)));
    EXPECT_EQ(first.size(), QSize(232, 300));
    const uchar* pixels = first.constBits();
    EXPECT_EQ(cache.bitmapFor(page(0), keyOf(0)).constBits(), pixels);
    // At a pixel ratio of 2 the bitmap has twice the pixels and the same logical size.
    PageKey sharp = keyOf(0);
    sharp.ratio = 2;
    const QImage& two = cache.bitmapFor(page(0), sharp);
    EXPECT_EQ(two.size(), QSize(464, 600));
    EXPECT_EQ(two.deviceIndependentSize(), QSizeF(232, 300));
}

TEST_F(PageBitmapCacheTest, EveryPartOfTheKeyCounts) {
    cache.bitmapFor(page(0), keyOf(0));
    const struct {
        const char* name;
        void (*change)(PageKey&);
    } changes[] = {
        {"page", [](PageKey& k) { k.index = 1; }},
        {"size", [](PageKey& k) { k.size = QSize(233, 300); }},
        {"pixel ratio", [](PageKey& k) { k.ratio = 1.5; }},
        {"rotation", [](PageKey& k) { k.rotation = TPdfRotation::pr90; }},
        {"options", [](PageKey& k) { k.flags = 1; }},
        {"colour", [](PageKey& k) { k.color = 0xFFFFFFF0; }},
    };
    for (const auto& c : changes) {
        PageKey k = keyOf(0);
        c.change(k);
        EXPECT_FALSE(cache.holds(k)) << c.name;
    }
    EXPECT_TRUE(cache.holds(keyOf(0)));
}

TEST_F(PageBitmapCacheTest, TheLeastRecentlyShownPageMakesRoom) {
    cache.bitmapFor(page(0), keyOf(0));
    cache.bitmapFor(page(1), keyOf(1));
    cache.bitmapFor(page(2), keyOf(2));
    cache.bitmapFor(page(0), keyOf(0)); // shown again: now the most recent
    cache.bitmapFor(page(1), keyOf(1, {200, 259}));
    EXPECT_TRUE(cache.holds(keyOf(0)));
    EXPECT_FALSE(cache.holds(keyOf(1)));
    EXPECT_TRUE(cache.holds(keyOf(2)));
    EXPECT_TRUE(cache.holds(keyOf(1, {200, 259})));
    cache.clear();
    EXPECT_FALSE(cache.holds(keyOf(0)));
}

TEST_F(PageBitmapCacheTest, ABigPageKeepsNoOtherBitmap) {
    cache.bitmapFor(page(0), keyOf(0));
    const PageKey big = keyOf(1, {3000, 3000}); // 9,000,000 pixels, over the limit
    cache.bitmapFor(page(1), big);
    EXPECT_TRUE(cache.holds(big));
    EXPECT_FALSE(cache.holds(keyOf(0)));
}

TEST_F(PageBitmapCacheTest, RenderingAheadKeepsTheShownPage) {
    // The shown page is the least recently used: the next oldest makes room.
    cache.bitmapFor(page(0), keyOf(0));
    cache.bitmapFor(page(1), keyOf(1));
    cache.bitmapFor(page(2), keyOf(2));
    cache.renderAhead(page(1), keyOf(1, {200, 259}), keyOf(0), QSize(800, 600));
    EXPECT_TRUE(cache.holds(keyOf(0)));
    EXPECT_FALSE(cache.holds(keyOf(1)));
    EXPECT_TRUE(cache.holds(keyOf(2)));
    EXPECT_TRUE(cache.holds(keyOf(1, {200, 259})));
}

TEST_F(PageBitmapCacheTest, RenderingAheadSkipsWhatIsNotKept) {
    const struct {
        const char* name;
        PageKey key;
        QSize view;
    } cases[] = {
        {"no size", keyOf(1, {0, 0}), {800, 600}},
        {"drawn directly", keyOf(1, {4096, 2161}), {800, 600}},
        {"too big to keep twice",
         [] {
             PageKey k = keyOf(1, {2100, 2100});
             k.ratio = 2;
             return k;
         }(),
         {5000, 5000}},
    };
    for (const auto& c : cases) {
        cache.clear();
        cache.bitmapFor(page(0), keyOf(0));
        cache.renderAhead(page(1), c.key, keyOf(0), c.view);
        EXPECT_FALSE(cache.holds(c.key)) << c.name;
        EXPECT_TRUE(cache.holds(keyOf(0))) << c.name;
    }
    // What is kept already is left as it is.
    cache.bitmapFor(page(1), keyOf(1));
    const uchar* pixels = cache.bitmapFor(page(1), keyOf(1)).constBits();
    cache.renderAhead(page(1), keyOf(1), keyOf(0), QSize(800, 600));
    EXPECT_EQ(cache.bitmapFor(page(1), keyOf(1)).constBits(), pixels);
}

TEST(PageBitmapCacheAhead, OnceForEachWayAPageIsShown) {
    PageBitmapCache cache;
    const struct {
        const char* name;
        PageKey shown;
        bool forgetFirst;
        bool claimed;
    } steps[] = {
        {"first frame", keyOf(0), false, true},
        {"repainted", keyOf(0), false, false},
        {"resized", keyOf(0, {300, 388}), false, true},
        {"turned", keyOf(1), false, true},
        {"back", keyOf(0), false, true},
        {"repainted again", keyOf(0), false, false},
        {"shown after hiding", keyOf(0), true, true},
    };
    for (const auto& s : steps) {
        if (s.forgetFirst)
            cache.forgetAhead();
        EXPECT_EQ(cache.claimAhead(s.shown), s.claimed) << s.name;
    }
    cache.clear();
    EXPECT_TRUE(cache.claimAhead(keyOf(0)));
}

} // namespace
} // namespace sumberlaras
