#include "reader/engine/PdfTextReader.h"

#include "reader/engine/PdfTypes.h"

#include <algorithm>

namespace sumberlaras {

using pdfium::Lock;
using pdfium::mutex;

TPdfTextReader::TPdfTextReader(std::shared_ptr<pdfium::DocumentHandle> doc) : doc_(std::move(doc)) {
    Lock lock(mutex());
    if (doc_)
        pageCount_ = std::max(0, pdfium::api().FPDF_GetPageCount(doc_->get()));
}

std::u16string TPdfTextReader::PageText(int Index) const {
    if (Index < 0 || Index >= pageCount_)
        throw EPdfError::fromCode(static_cast<unsigned long>(TPdfErrorCode::Page));
    // A painter waiting since the last page goes first.
    pdfium::letWaitersIn();
    const pdfium::Api& a = pdfium::api();
    Lock lock(mutex());
    auto page = std::make_shared<pdfium::PageHandle>(doc_, Index);
    pdfium::TextPageHandle text(page);
    const int count = std::max(0, a.FPDFText_CountChars(text.get()));
    if (count == 0)
        return {};
    std::u16string out(static_cast<size_t>(count) + 1, u'\0');
    const int written =
        a.FPDFText_GetText(text.get(), 0, count, reinterpret_cast<unsigned short*>(out.data()));
    out.resize(static_cast<size_t>(std::clamp(written - 1, 0, count))); // drops the terminator
    return out;
}

std::vector<std::u16string> TPdfTextReader::BoxedText(int Index,
                                                      const std::vector<TPdfRect>& Boxes) const {
    if (Index < 0 || Index >= pageCount_)
        throw EPdfError::fromCode(static_cast<unsigned long>(TPdfErrorCode::Page));
    pdfium::letWaitersIn();
    const pdfium::Api& a = pdfium::api();
    Lock lock(mutex());
    auto page = std::make_shared<pdfium::PageHandle>(doc_, Index);
    pdfium::TextPageHandle text(page);
    std::vector<std::u16string> out;
    out.reserve(Boxes.size());
    for (const TPdfRect& r : Boxes) {
        // Boxes are stored corner by corner, as drawn.
        const double left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
        const double bottom = std::min(r.Bottom, r.Top), top = std::max(r.Bottom, r.Top);
        const int needed =
            a.FPDFText_GetBoundedText(text.get(), left, top, right, bottom, nullptr, 0);
        std::u16string box;
        if (needed > 0) {
            box.assign(static_cast<size_t>(needed) + 1, u'\0');
            const int written = a.FPDFText_GetBoundedText(
                text.get(), left, top, right, bottom, reinterpret_cast<unsigned short*>(box.data()),
                needed + 1);
            box.resize(static_cast<size_t>(std::clamp(written, 0, needed)));
            while (!box.empty() && box.back() == u'\0')
                box.pop_back();
        }
        out.push_back(std::move(box));
    }
    return out;
}

} // namespace sumberlaras
