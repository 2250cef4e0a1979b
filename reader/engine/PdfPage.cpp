#include "reader/engine/PdfPage.h"

#include <algorithm>

namespace sumberlaras {

using pdfium::Lock;
using pdfium::mutex;

namespace {

int rotateValue(TPdfRotation r) {
    return static_cast<int>(r);
}

unsigned long findFlags(bool matchCase, bool matchWholeWord) {
    unsigned long flags = 0;
    if (matchCase)
        flags |= pdfium::FPDF_MATCHCASE;
    if (matchWholeWord)
        flags |= pdfium::FPDF_MATCHWHOLEWORD;
    return flags;
}

} // namespace

TPdfPage::TPdfPage(std::shared_ptr<pdfium::DocumentHandle> doc, int index, double width,
                   double height)
    : doc_(std::move(doc)), index_(index), width_(width), height_(height) {}

TPdfPage::~TPdfPage() {
    Lock lock(mutex());
    find_.reset();
    links_.reset();
    text_.reset();
    page_.reset();
}

pdfium::FPDF_PAGE TPdfPage::page() {
    try {
        if (!page_)
            page_ = std::make_shared<pdfium::PageHandle>(doc_, index_);
    } catch (const EPdfError&) {
        return nullptr;
    }
    return page_->get();
}

pdfium::FPDF_TEXTPAGE TPdfPage::text() {
    try {
        if (!text_ && page())
            text_ = std::make_shared<pdfium::TextPageHandle>(page_);
    } catch (const EPdfError&) {
        return nullptr;
    }
    return text_ ? text_->get() : nullptr;
}

int TPdfPage::GetCharCount() {
    Lock lock(mutex());
    if (!text())
        return 0;
    return std::max(0, pdfium::api().FPDFText_CountChars(text()));
}

std::u16string TPdfPage::ReadText(int CharIndex, int Count) {
    Lock lock(mutex());
    const int total = GetCharCount();
    CharIndex = std::max(0, CharIndex);
    Count = std::min(Count, total - CharIndex);
    if (Count <= 0)
        return {};
    std::u16string out(static_cast<size_t>(Count) + 1, u'\0');
    const int written = pdfium::api().FPDFText_GetText(
        text(), CharIndex, Count, reinterpret_cast<unsigned short*>(out.data()));
    out.resize(static_cast<size_t>(std::clamp(written - 1, 0, Count))); // drops the terminator
    return out;
}

int TPdfPage::GetTextRectCount(int CharIndex, int Count) {
    Lock lock(mutex());
    if (Count <= 0 || CharIndex < 0 || !text())
        return 0;
    return std::max(0, pdfium::api().FPDFText_CountRects(text(), CharIndex, Count));
}

TPdfRect TPdfPage::GetTextRect(int RectIndex) {
    Lock lock(mutex());
    TPdfRect r;
    if (!text() ||
        !pdfium::api().FPDFText_GetRect(text(), RectIndex, &r.Left, &r.Top, &r.Right, &r.Bottom))
        return {};
    return r;
}

std::vector<TPdfRect> TPdfPage::rectsOf(int charIndex, int count) {
    std::vector<TPdfRect> rects;
    const int n = GetTextRectCount(charIndex, count);
    rects.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        rects.push_back(GetTextRect(i));
    return rects;
}

std::vector<TPdfRect> TPdfPage::TextRects(int CharIndex, int Count) {
    Lock lock(mutex()); // the rectangles belong to this count
    return rectsOf(CharIndex, Count);
}

std::u16string TPdfPage::GetTextAt(const TPdfRect& Rect) {
    Lock lock(mutex());
    return pdfium::boundedText(text(), Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

std::vector<TPdfMatch> TPdfPage::FindAll(const std::u16string& Text, bool MatchCase,
                                         bool MatchWholeWord) {
    Lock lock(mutex());
    std::vector<TPdfMatch> matches;
    if (Text.empty() || !text())
        return matches;
    // Its own search, so a match-by-match search of another caller is left where it was.
    const pdfium::FindHandle find(text_, Text, findFlags(MatchCase, MatchWholeWord), 0);
    if (!find.get())
        return matches;
    const auto& a = pdfium::api();
    while (a.FPDFText_FindNext(find.get())) {
        TPdfMatch m;
        m.CharIndex = a.FPDFText_GetSchResultIndex(find.get());
        m.Count = a.FPDFText_GetSchCount(find.get());
        m.Rects = rectsOf(m.CharIndex, m.Count);
        matches.push_back(std::move(m));
    }
    return matches;
}

bool TPdfPage::BeginFind(const std::u16string& Text, bool MatchCase, bool MatchWholeWord,
                         bool FromEnd) {
    Lock lock(mutex());
    find_.reset();
    if (Text.empty() || !text())
        return false;
    find_ = std::make_unique<pdfium::FindHandle>(text_, Text, findFlags(MatchCase, MatchWholeWord),
                                                 FromEnd ? -1 : 0);
    return find_->get() != nullptr;
}

bool TPdfPage::FindNext(int& CharIndex, int& Count) {
    Lock lock(mutex());
    const auto& a = pdfium::api();
    if (!find_ || !find_->get() || !a.FPDFText_FindNext(find_->get()))
        return false;
    CharIndex = a.FPDFText_GetSchResultIndex(find_->get());
    Count = a.FPDFText_GetSchCount(find_->get());
    return true;
}

bool TPdfPage::FindPrev(int& CharIndex, int& Count) {
    Lock lock(mutex());
    const auto& a = pdfium::api();
    if (!find_ || !find_->get() || !a.FPDFText_FindPrev(find_->get()))
        return false;
    CharIndex = a.FPDFText_GetSchResultIndex(find_->get());
    Count = a.FPDFText_GetSchCount(find_->get());
    return true;
}

void TPdfPage::EndFind() {
    Lock lock(mutex());
    find_.reset();
}

TPdfPoint TPdfPage::DeviceToPage(const TPdfDeviceArea& area, int x, int y) {
    Lock lock(mutex());
    TPdfPoint p;
    if (!page() || !pdfium::api().FPDF_DeviceToPage(page(), area.X, area.Y, area.Width, area.Height,
                                                    rotateValue(area.Rotation), x, y, &p.X, &p.Y))
        return {};
    return p;
}

void TPdfPage::PageToDevice(const TPdfDeviceArea& area, double x, double y, int& deviceX,
                            int& deviceY) {
    Lock lock(mutex());
    deviceX = deviceY = 0;
    if (!page() ||
        !pdfium::api().FPDF_PageToDevice(page(), area.X, area.Y, area.Width, area.Height,
                                         rotateValue(area.Rotation), x, y, &deviceX, &deviceY))
        deviceX = deviceY = 0;
}

void TPdfPage::Render(void* buffer, int width, int height, int stride, int startX, int startY,
                      int sizeX, int sizeY, TPdfRotation rotation, int flags, uint32_t fillArgb) {
    if (width <= 0 || height <= 0)
        return;
    Lock lock(mutex());
    const auto& a = pdfium::api();
    pdfium::BitmapHandle bitmap(width, height, buffer, stride);
    a.FPDFBitmap_FillRect(bitmap.get(), 0, 0, width, height, fillArgb);
    if (page()) // a damaged page stays blank
        a.FPDF_RenderPageBitmap(bitmap.get(), page(), startX, startY, sizeX, sizeY,
                                rotateValue(rotation), flags);
}

const std::vector<std::optional<TPdfRect>>& TPdfPage::charBoxes() {
    if (boxesRead_)
        return boxes_;
    const auto& a = pdfium::api();
    boxesRead_ = true;
    boxes_.clear();
    const auto textPage = text();
    if (!textPage)
        return boxes_;
    const int n = std::max(0, a.FPDFText_CountChars(textPage));
    boxes_.assign(static_cast<size_t>(n), std::nullopt);
    for (int i = 0; i < n; ++i) {
        const unsigned int ch = a.FPDFText_GetUnicode(textPage, i);
        if (ch == '\r' || ch == '\n')
            continue;
        TPdfRect r;
        if (!a.FPDFText_GetCharBox(textPage, i, &r.Left, &r.Right, &r.Bottom, &r.Top))
            continue;
        if (r.Left == r.Right && r.Top == r.Bottom)
            continue; // generated, not placed on the page
        boxes_[static_cast<size_t>(i)] = r;
    }
    return boxes_;
}

std::optional<TPdfRect> TPdfPage::CharBox(int CharIndex) {
    Lock lock(mutex());
    const auto& boxes = charBoxes();
    if (CharIndex < 0 || CharIndex >= static_cast<int>(boxes.size()))
        return std::nullopt;
    return boxes[static_cast<size_t>(CharIndex)];
}

int TPdfPage::NearestChar(const TPdfPoint& point, double* distance) {
    Lock lock(mutex());
    return nearestChar(charBoxes(), point, distance);
}

PageChars TPdfPage::Chars() {
    Lock lock(mutex());
    PageChars chars;
    chars.text = ReadText(0, GetCharCount());
    chars.boxes = charBoxes();
    return chars;
}

std::u16string TPdfPage::WebLinkAt(const TPdfPoint& point) {
    Lock lock(mutex());
    const auto& a = pdfium::api();
    if (!text())
        return {};
    if (!links_)
        links_ = std::make_unique<pdfium::WebLinksHandle>(text_);
    if (!links_->get())
        return {};
    const int count = a.FPDFLink_CountWebLinks(links_->get());
    for (int link = 0; link < count; ++link) {
        const int rects = a.FPDFLink_CountRects(links_->get(), link);
        for (int i = 0; i < rects; ++i) {
            TPdfRect r;
            if (!a.FPDFLink_GetRect(links_->get(), link, i, &r.Left, &r.Top, &r.Right, &r.Bottom))
                continue;
            if (!rectContains(r, point))
                continue;
            const int length = a.FPDFLink_GetURL(links_->get(), link, nullptr, 0);
            if (length <= 1)
                return {};
            std::u16string url(static_cast<size_t>(length), u'\0');
            a.FPDFLink_GetURL(links_->get(), link, reinterpret_cast<unsigned short*>(url.data()),
                              length);
            url.resize(static_cast<size_t>(length - 1));
            return url;
        }
    }
    return {};
}

void TPdfPage::Prepare() {
    Lock lock(mutex());
    page();
}

void TPdfPage::ReleaseResources() {
    Lock lock(mutex());
    if (find_)
        return; // a search is still walking this page's text
    links_.reset();
    text_.reset();
    page_.reset();
    boxes_.clear();
    boxesRead_ = false;
}

} // namespace sumberlaras
