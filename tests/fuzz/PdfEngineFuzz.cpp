// A book file as the reader opens it: loaded from memory through our PDFium
// wrapper, its first pages drawn small, their text read, boxed and searched.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "reader/engine/PageLayout.h"
#include "reader/engine/PdfDocument.h"
#include "tests/fuzz/FuzzChecks.h"

using namespace sumberlaras;
using namespace sumberlaras::fuzz;

namespace {

constexpr int kPagesRead = 2;
constexpr int kMaxSide = 40; // pixels: enough to run the painting code, cheap enough to fuzz

// A side of the small picture for a side of the page in points.
int smallSide(double points) {
    if (!std::isfinite(points) || points <= 0)
        return 1;
    return static_cast<int>(std::clamp(points / 20.0, 1.0, static_cast<double>(kMaxSide)));
}

// The first word of the page (letters and digits), or a common one.
std::u16string firstWord(const std::u16string& text) {
    std::u16string word;
    for (char16_t c : text) {
        const bool part = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'a' && c <= u'z') || c >= 0xC0;
        if (part && word.size() < 16)
            word += c;
        else if (!word.empty())
            break;
    }
    return word.empty() ? std::u16string(u"the") : word;
}

void readPage(TPdfDocument& doc, const TPdfTextReader* reader, int index) {
    TPdfPage* page = doc.Pages(index);
    FUZZ_CHECK(page != nullptr);
    FUZZ_CHECK(page->Index() == index);

    // Drawn small, upright and turned.
    const int width = smallSide(page->Width());
    const int height = smallSide(page->Height());
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    page->Render(pixels.data(), width, height, width * 4, 0, 0, width, height, TPdfRotation::prNone,
                 0, 0xFFFFFFFF);
    page->Render(pixels.data(), width, height, width * 4, -width / 2, -height / 2, width * 2,
                 height * 2, TPdfRotation::pr90, 0x01, 0xFF808080);

    // The layout of the view over a page of that size.
    for (auto mode : {TPdfControlScaleMode::smFitAuto, TPdfControlScaleMode::smFitWidth,
                      TPdfControlScaleMode::smZoom}) {
        PageLayoutInput in;
        in.pageWidth = page->Width();
        in.pageHeight = page->Height();
        in.mode = mode;
        in.clientWidth = 800;
        in.clientHeight = 600;
        in.horzBarHeight = 17;
        in.vertBarWidth = 17;
        const PageLayout layout = computePageLayout(in);
        FUZZ_CHECK(layout.width >= 0 && layout.height >= 0);
        FUZZ_CHECK(layout.viewWidth >= 0 && layout.viewHeight >= 0);
    }

    // Its text, whole and in pieces.
    const int count = page->GetCharCount();
    FUZZ_CHECK(count >= 0);
    const std::u16string text = page->ReadText(0, count);
    FUZZ_CHECK(text.size() <= static_cast<size_t>(count));
    FUZZ_CHECK(page->ReadText(count, 5).empty());
    FUZZ_CHECK(page->ReadText(-3, count / 2 + 1).size() <= static_cast<size_t>(count / 2 + 1));
    if (reader) {
        try {
            FUZZ_CHECK(reader->PageText(index) == text);
        } catch (const EPdfError&) {
            FUZZ_CHECK(text.empty()); // a page PDFium cannot open has no text either way
        }
    }
    const PageChars chars = page->Chars();
    FUZZ_CHECK(chars.text == text);
    FUZZ_CHECK(chars.boxes.size() == static_cast<size_t>(count));
    FUZZ_CHECK(!page->CharBox(-1) && !page->CharBox(count));

    // Where the pointer would be: device and page space, the nearest character, a link.
    const TPdfDeviceArea area{0, 0, width * 10, height * 10, TPdfRotation::prNone};
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{width * 5, height * 5}, std::pair{width * 10, height * 10}}) {
        const TPdfPoint at = page->DeviceToPage(area, x, y);
        int dx = 0, dy = 0;
        page->PageToDevice(area, at.X, at.Y, dx, dy);
        double distance = 0;
        const int nearest = page->NearestChar(at, &distance);
        FUZZ_CHECK(nearest >= -1 && nearest < count);
        if (nearest >= 0)
            FUZZ_CHECK(page->CharBox(nearest).has_value());
        page->WebLinkAt(at);
    }
    const TPdfRect whole{0, page->Height(), page->Width(), 0};
    page->GetTextAt(whole);
    const std::vector<TPdfRect> rects = page->TextRects(0, std::min(count, 64));
    if (reader && !rects.empty()) {
        try {
            FUZZ_CHECK(reader->BoxedText(index, rects).size() == rects.size());
        } catch (const EPdfError&) {
        }
    }

    // A word of the page found, at once and match by match.
    const std::u16string word = firstWord(text);
    for (const TPdfMatch& m : page->FindAll(word, false, false)) {
        FUZZ_CHECK(m.Count >= 0);
        FUZZ_CHECK(m.Rects.size() < 100000);
    }
    int at = 0, length = 0;
    if (page->BeginFind(word, true, true)) {
        for (int i = 0; i < 8 && page->FindNext(at, length); ++i) {
        }
        page->FindPrev(at, length);
    }
    page->EndFind();
    page->ReleaseResources();
    FUZZ_CHECK(page->GetCharCount() == count); // reopened on use
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPdfDocument doc;
    try {
        doc.LoadFromMemory(std::vector<uint8_t>(data, data + size));
    } catch (const EPdfError& e) {
        FUZZ_CHECK(!doc.Active());
        FUZZ_CHECK(doc.PageCount() == 0);
        FUZZ_CHECK(std::string(e.what()).size() > 0);
        return 0;
    }
    FUZZ_CHECK(doc.Active());
    const int pages = doc.PageCount();
    FUZZ_CHECK(pages >= 0);
    FUZZ_CHECK(doc.Pages(-1) == nullptr && doc.Pages(pages) == nullptr);
    const std::shared_ptr<const TPdfTextReader> reader = doc.TextReader();
    FUZZ_CHECK(reader && reader->PageCount() == pages);
    for (int i = 0; i < std::min(pages, kPagesRead); ++i)
        readPage(doc, reader.get(), i);

    // A worker's page and reader outlive the document.
    if (pages > 0) {
        const std::shared_ptr<TPdfPage> kept = doc.SharedPage(0);
        doc.Close();
        FUZZ_CHECK(!doc.Active() && doc.PageCount() == 0);
        kept->GetCharCount();
        try {
            reader->PageText(0);
        } catch (const EPdfError&) {
        }
    }
    return 0;
}
