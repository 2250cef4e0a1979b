#pragma once

#include "reader/engine/PdfiumLibrary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sumberlaras::pdfium {

// Owners of PDFium objects. Each holds what it depends on, so a text page never
// outlives its page, nor a page its document, nor a document its bytes.

class DocumentHandle {
public:
    // Opens from bytes it keeps; throws EPdfError with PDFium's last error.
    DocumentHandle(std::vector<uint8_t> bytes, const std::string& password);
    ~DocumentHandle();
    DocumentHandle(const DocumentHandle&) = delete;
    DocumentHandle& operator=(const DocumentHandle&) = delete;
    FPDF_DOCUMENT get() const { return doc_; }

private:
    std::vector<uint8_t> bytes_;
    FPDF_DOCUMENT doc_ = nullptr;
};

class PageHandle {
public:
    PageHandle(std::shared_ptr<DocumentHandle> doc, int index); // throws EPdfError
    ~PageHandle();
    PageHandle(const PageHandle&) = delete;
    PageHandle& operator=(const PageHandle&) = delete;
    FPDF_PAGE get() const { return page_; }

private:
    std::shared_ptr<DocumentHandle> doc_;
    FPDF_PAGE page_ = nullptr;
};

class TextPageHandle {
public:
    explicit TextPageHandle(std::shared_ptr<PageHandle> page); // throws EPdfError
    ~TextPageHandle();
    TextPageHandle(const TextPageHandle&) = delete;
    TextPageHandle& operator=(const TextPageHandle&) = delete;
    FPDF_TEXTPAGE get() const { return text_; }

private:
    std::shared_ptr<PageHandle> page_;
    FPDF_TEXTPAGE text_ = nullptr;
};

// The text inside a box of a text page, its corners in either order. Takes
// the engine's lock itself.
std::u16string boundedText(FPDF_TEXTPAGE text, double x1, double y1, double x2, double y2);

class FindHandle {
public:
    FindHandle(std::shared_ptr<TextPageHandle> text, const std::u16string& what,
               unsigned long flags, int startIndex);
    ~FindHandle();
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    FPDF_SCHHANDLE get() const { return find_; }

private:
    std::shared_ptr<TextPageHandle> text_;
    std::u16string what_; // PDFium reads the text while searching
    FPDF_SCHHANDLE find_ = nullptr;
};

class WebLinksHandle {
public:
    explicit WebLinksHandle(std::shared_ptr<TextPageHandle> text);
    ~WebLinksHandle();
    WebLinksHandle(const WebLinksHandle&) = delete;
    WebLinksHandle& operator=(const WebLinksHandle&) = delete;
    FPDF_PAGELINK get() const { return links_; }

private:
    std::shared_ptr<TextPageHandle> text_;
    FPDF_PAGELINK links_ = nullptr;
};

// A PDFium bitmap over memory the caller owns (BGRx, 4 bytes a pixel).
class BitmapHandle {
public:
    BitmapHandle(int width, int height, void* firstScan, int stride);
    ~BitmapHandle();
    BitmapHandle(const BitmapHandle&) = delete;
    BitmapHandle& operator=(const BitmapHandle&) = delete;
    FPDF_BITMAP get() const { return bitmap_; }

private:
    FPDF_BITMAP bitmap_ = nullptr;
};

} // namespace sumberlaras::pdfium
