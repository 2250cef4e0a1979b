#pragma once

#include "reader/engine/PdfiumHandles.h"

#include <memory>
#include <string>
#include <vector>

#include "reader/engine/PdfTypes.h"

namespace sumberlaras {

// Reads whole page texts of a document from any thread. It keeps the document
// open, so a worker may go on reading after the view that opened it has closed.
// Each page is opened, read and closed again in one call under the PDFium lock;
// nothing stays cached, so reading a long book does not grow.
class TPdfTextReader {
public:
    explicit TPdfTextReader(std::shared_ptr<pdfium::DocumentHandle> doc);

    int PageCount() const { return pageCount_; }
    // The text of the page at Index; throws EPdfError when PDFium cannot open it.
    std::u16string PageText(int Index) const;
    // The text inside each of the boxes (page space), read in one call with
    // the page opened once; throws EPdfError when PDFium cannot open it.
    std::vector<std::u16string> BoxedText(int Index, const std::vector<TPdfRect>& Boxes) const;

private:
    // Page `Index` opened for its text; the caller holds the engine's lock.
    std::shared_ptr<pdfium::TextPageHandle> openText(int Index) const;

    std::shared_ptr<pdfium::DocumentHandle> doc_;
    int pageCount_ = 0;
};

} // namespace sumberlaras
