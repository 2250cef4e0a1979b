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

std::shared_ptr<pdfium::TextPageHandle> TPdfTextReader::openText(int Index) const {
    if (Index < 0 || Index >= pageCount_)
        throw EPdfError::fromCode(static_cast<unsigned long>(TPdfErrorCode::Page));
    return std::make_shared<pdfium::TextPageHandle>(
        std::make_shared<pdfium::PageHandle>(doc_, Index));
}

std::u16string TPdfTextReader::PageText(int Index) const {
    // A painter waiting since the last page goes first.
    pdfium::letWaitersIn();
    const pdfium::Api& a = pdfium::api();
    Lock lock(mutex());
    const auto text = openText(Index);
    const int count = std::max(0, a.FPDFText_CountChars(text->get()));
    if (count == 0)
        return {};
    std::u16string out(static_cast<size_t>(count) + 1, u'\0');
    const int written =
        a.FPDFText_GetText(text->get(), 0, count, reinterpret_cast<unsigned short*>(out.data()));
    out.resize(static_cast<size_t>(std::clamp(written - 1, 0, count))); // drops the terminator
    return out;
}

std::vector<std::u16string> TPdfTextReader::BoxedText(int Index,
                                                      const std::vector<TPdfRect>& Boxes) const {
    pdfium::letWaitersIn();
    Lock lock(mutex());
    const auto text = openText(Index);
    std::vector<std::u16string> out;
    out.reserve(Boxes.size());
    for (const TPdfRect& r : Boxes)
        out.push_back(pdfium::boundedText(text->get(), r.Left, r.Top, r.Right, r.Bottom));
    return out;
}

} // namespace sumberlaras
