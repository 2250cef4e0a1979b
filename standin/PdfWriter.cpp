#include "standin/PdfWriter.h"

#include <cstdio>
#include <sstream>

namespace standin {
namespace {

// Helvetica advance widths (1/1000 em) for the printable ASCII range; other
// bytes are measured as an average glyph.
constexpr short kHelveticaWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};

double textWidth(const std::string& winAnsi, double size) {
    double units = 0;
    for (unsigned char c : winAnsi) {
        units += (c >= 32 && c < 127) ? kHelveticaWidths[c - 32] : 556;
    }
    return units * size / 1000.0;
}

std::string pdfString(const std::string& winAnsi) {
    std::string out = "(";
    for (unsigned char c : winAnsi) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32) {
            out += ' ';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + ")";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

unsigned char winAnsiOf(unsigned codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<unsigned char>(codePoint);
    }
    switch (codePoint) {
    case 0x20AC:
        return 0x80;
    case 0x201A:
        return 0x82;
    case 0x201E:
        return 0x84;
    case 0x2026:
        return 0x85;
    case 0x2018:
        return 0x91;
    case 0x2019:
        return 0x92;
    case 0x201C:
        return 0x93;
    case 0x201D:
        return 0x94;
    case 0x2022:
        return 0x95;
    case 0x2013:
        return 0x96;
    case 0x2014:
        return 0x97;
    default:
        return '?';
    }
}

} // namespace

std::string toWinAnsi(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        unsigned codePoint = 0;
        size_t length = 1;
        if (lead < 0x80) {
            codePoint = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            codePoint = lead & 0x1Fu;
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            codePoint = lead & 0x0Fu;
            length = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            codePoint = lead & 0x07u;
            length = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + length > utf8.size()) {
            out += '?';
            break;
        }
        for (size_t k = 1; k < length; ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        out += static_cast<char>(winAnsiOf(codePoint));
        i += length;
    }
    return out;
}

std::vector<std::string> wrapText(const std::string& text, double width, double size) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(toWinAnsi(candidate), size) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::string writePdf(const PdfDocument& document) {
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets; // offsets[n - 1] is where object n starts
    auto object = [&](const std::string& body) {
        offsets.push_back(out.size());
        out += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };

    const size_t pageCount = document.pages.size();
    // 1 catalog, 2 page tree, 3 and 4 fonts, 5 info, then a page and its content per page.
    object("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (size_t i = 0; i < pageCount; ++i) {
        kids += std::to_string(6 + 2 * i) + " 0 R ";
    }
    object("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) + " >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding "
           ">>");
    object("<< /Title " + pdfString(toWinAnsi(document.title)) + " /Author " +
           pdfString(toWinAnsi(document.author)) + " /Producer (Sumberlaras stand-in) >>");

    for (size_t i = 0; i < pageCount; ++i) {
        const PdfPage& page = document.pages[i];
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(page.width) + " " +
               number(page.height) + "] /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> " +
               "/Contents " + std::to_string(7 + 2 * i) + " 0 R >>");
        std::string content;
        for (const PdfTextLine& line : page.lines) {
            content += "BT /" + std::string(line.bold ? "F2 " : "F1 ") + number(line.size) +
                       " Tf " + number(line.x) + " " + number(line.y) + " Td " +
                       pdfString(toWinAnsi(line.text)) + " Tj ET\n";
        }
        object("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
               "endstream");
    }

    const size_t xref = out.size();
    out += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

} // namespace standin
