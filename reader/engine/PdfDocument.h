#pragma once

#include "reader/engine/PdfPage.h"
#include "reader/engine/PdfTextReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sumberlaras {

// A PDF document opened from bytes it keeps in memory; nothing of it touches the disk.
// Pages are created on first use and live until the document is closed.
class TPdfDocument {
public:
    // Loads PDFium if needed: throws EPdfError naming a missing library or function.
    TPdfDocument();
    ~TPdfDocument();
    TPdfDocument(const TPdfDocument&) = delete;
    TPdfDocument& operator=(const TPdfDocument&) = delete;

    // Closes any open document first. Throws EPdfError with the text of PDFium's error.
    void LoadFromMemory(std::vector<uint8_t> bytes, const std::string& password = {});
    void Close();
    bool Active() const;

    int PageCount() const;
    // The page at Index, or null outside 0..PageCount-1.
    TPdfPage* Pages(int Index);
    // The same page, kept alive for a worker even if the document closes meanwhile.
    std::shared_ptr<TPdfPage> SharedPage(int Index);
    // A reader of the page texts for a worker thread; null without a document.
    std::shared_ptr<const TPdfTextReader> TextReader() const;

private:
    std::shared_ptr<pdfium::DocumentHandle> doc_;
    std::vector<std::shared_ptr<TPdfPage>> pages_;
};

} // namespace sumberlaras
