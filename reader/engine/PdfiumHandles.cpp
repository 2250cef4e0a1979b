#include "reader/engine/PdfiumHandles.h"

#include <algorithm>

#include "reader/engine/PdfTypes.h"

namespace sumberlaras::pdfium {

DocumentHandle::DocumentHandle(std::vector<uint8_t> bytes, const std::string& password)
    : bytes_(std::move(bytes)) {
    const Api& a = api();
    Lock lock(mutex());
    doc_ = a.FPDF_LoadMemDocument64(bytes_.data(), bytes_.size(),
                                    password.empty() ? nullptr : password.c_str());
    if (!doc_)
        throw EPdfError::fromCode(a.FPDF_GetLastError());
}

DocumentHandle::~DocumentHandle() {
    Lock lock(mutex());
    api().FPDF_CloseDocument(doc_);
}

PageHandle::PageHandle(std::shared_ptr<DocumentHandle> doc, int index) : doc_(std::move(doc)) {
    const Api& a = api();
    Lock lock(mutex());
    page_ = a.FPDF_LoadPage(doc_->get(), index);
    if (!page_)
        throw EPdfError::fromCode(static_cast<unsigned long>(TPdfErrorCode::Page));
}

PageHandle::~PageHandle() {
    Lock lock(mutex());
    api().FPDF_ClosePage(page_);
}

TextPageHandle::TextPageHandle(std::shared_ptr<PageHandle> page) : page_(std::move(page)) {
    const Api& a = api();
    Lock lock(mutex());
    text_ = a.FPDFText_LoadPage(page_->get());
    if (!text_)
        throw EPdfError::fromCode(static_cast<unsigned long>(TPdfErrorCode::Page));
}

TextPageHandle::~TextPageHandle() {
    Lock lock(mutex());
    api().FPDFText_ClosePage(text_);
}

FindHandle::FindHandle(std::shared_ptr<TextPageHandle> text, const std::u16string& what,
                       unsigned long flags, int startIndex)
    : text_(std::move(text)), what_(what) {
    const Api& a = api();
    Lock lock(mutex());
    find_ = a.FPDFText_FindStart(text_->get(), reinterpret_cast<FPDF_WIDESTRING>(what_.c_str()),
                                 flags, startIndex);
}

FindHandle::~FindHandle() {
    if (!find_)
        return;
    Lock lock(mutex());
    api().FPDFText_FindClose(find_);
}

WebLinksHandle::WebLinksHandle(std::shared_ptr<TextPageHandle> text) : text_(std::move(text)) {
    const Api& a = api();
    Lock lock(mutex());
    links_ = a.FPDFLink_LoadWebLinks(text_->get());
}

WebLinksHandle::~WebLinksHandle() {
    if (!links_)
        return;
    Lock lock(mutex());
    api().FPDFLink_CloseWebLinks(links_);
}

BitmapHandle::BitmapHandle(int width, int height, void* firstScan, int stride) {
    const Api& a = api();
    Lock lock(mutex());
    bitmap_ = a.FPDFBitmap_CreateEx(width, height, FPDFBitmap_BGRx, firstScan, stride);
    if (!bitmap_)
        throw EPdfError("PDFium could not create a bitmap");
}

BitmapHandle::~BitmapHandle() {
    if (!bitmap_)
        return;
    Lock lock(mutex());
    api().FPDFBitmap_Destroy(bitmap_);
}

std::u16string boundedText(FPDF_TEXTPAGE text, double x1, double y1, double x2, double y2) {
    if (!text)
        return {};
    const double left = std::min(x1, x2), right = std::max(x1, x2);
    const double bottom = std::min(y1, y2), top = std::max(y1, y2);
    const Api& a = api();
    Lock lock(mutex());
    const int needed = a.FPDFText_GetBoundedText(text, left, top, right, bottom, nullptr, 0);
    if (needed <= 0)
        return {};
    std::u16string out(static_cast<size_t>(needed) + 1, u'\0');
    const int written = a.FPDFText_GetBoundedText(
        text, left, top, right, bottom, reinterpret_cast<unsigned short*>(out.data()), needed + 1);
    out.resize(static_cast<size_t>(std::clamp(written, 0, needed)));
    while (!out.empty() && out.back() == u'\0')
        out.pop_back();
    return out;
}

} // namespace sumberlaras::pdfium
