#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "reader/engine/PdfiumHandles.h"

namespace sumberlaras::bench {

// Bare PDFium over pages [from, to): load page, load text page, read every
// character, close. The baseline of the text benchmarks; milliseconds in all.
inline double rawTextExtraction(const std::shared_ptr<pdfium::DocumentHandle>& doc, int from,
                                int to) {
    const auto& a = pdfium::api();
    size_t chars = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = from; i < to; ++i) {
        pdfium::Lock lock(pdfium::mutex());
        pdfium::FPDF_PAGE page = a.FPDF_LoadPage(doc->get(), i);
        pdfium::FPDF_TEXTPAGE text = a.FPDFText_LoadPage(page);
        const int n = a.FPDFText_CountChars(text);
        std::vector<unsigned short> buffer(static_cast<size_t>(n) + 1);
        chars += static_cast<size_t>(a.FPDFText_GetText(text, 0, n, buffer.data()));
        a.FPDFText_ClosePage(text);
        a.FPDF_ClosePage(page);
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (chars == 0)
        std::fprintf(stderr, "no text was read\n");
    return ms;
}

} // namespace sumberlaras::bench
