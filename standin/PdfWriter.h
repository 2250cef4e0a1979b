#pragma once

#include <string>
#include <vector>

namespace standin {

// A minimal PDF 1.4 writer: text only, in the standard Type 1 fonts
// Helvetica and Helvetica-Bold with WinAnsiEncoding, so that every viewer
// can show and search the pages without embedded fonts.
struct PdfTextLine {
    double x = 0, y = 0; // baseline start, PDF points from the lower-left corner
    double size = 11;
    bool bold = false;
    std::string text; // UTF-8; characters outside WinAnsi become "?"
};

struct PdfPage {
    double width = 420, height = 595;
    std::vector<PdfTextLine> lines;
};

struct PdfDocument {
    std::string title, author;
    std::vector<PdfPage> pages;
};

std::string writePdf(const PdfDocument& document);

// UTF-8 to WinAnsi (Windows-1252) bytes.
std::string toWinAnsi(const std::string& utf8);

// Wraps text into lines of at most `width` points for Helvetica of `size`.
std::vector<std::string> wrapText(const std::string& text, double width, double size);

} // namespace standin
