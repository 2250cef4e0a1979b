#include "reader/engine/PdfDocument.h"

namespace sumberlaras {

using pdfium::Lock;
using pdfium::mutex;

TPdfDocument::TPdfDocument() {
    pdfium::api();
}

TPdfDocument::~TPdfDocument() {
    Close();
}

void TPdfDocument::LoadFromMemory(std::vector<uint8_t> bytes, const std::string& password) {
    Close();
    auto doc = std::make_shared<pdfium::DocumentHandle>(std::move(bytes), password);
    Lock lock(mutex());
    const int count = std::max(0, pdfium::api().FPDF_GetPageCount(doc->get()));
    doc_ = std::move(doc);
    pages_.assign(static_cast<size_t>(count), nullptr);
}

void TPdfDocument::Close() {
    Lock lock(mutex());
    pages_.clear();
    doc_.reset();
}

bool TPdfDocument::Active() const {
    Lock lock(mutex());
    return doc_ != nullptr;
}

int TPdfDocument::PageCount() const {
    Lock lock(mutex());
    return static_cast<int>(pages_.size());
}

TPdfPage* TPdfDocument::Pages(int Index) {
    return SharedPage(Index).get();
}

std::shared_ptr<TPdfPage> TPdfDocument::SharedPage(int Index) {
    Lock lock(mutex());
    if (Index < 0 || Index >= static_cast<int>(pages_.size()))
        return nullptr;
    auto& slot = pages_[static_cast<size_t>(Index)];
    if (!slot) {
        double width = 0, height = 0;
        pdfium::api().FPDF_GetPageSizeByIndex(doc_->get(), Index, &width, &height);
        slot = std::make_shared<TPdfPage>(doc_, Index, width, height);
    }
    return slot;
}

std::shared_ptr<const TPdfTextReader> TPdfDocument::TextReader() const {
    Lock lock(mutex());
    if (!doc_)
        return nullptr;
    return std::make_shared<const TPdfTextReader>(doc_);
}

} // namespace sumberlaras
