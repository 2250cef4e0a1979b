#include "bookinfo/Citation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace sumberlaras::bookinfo {

const std::string& citationOf(const reader::TDetailBook& book, CitationStyle style) {
    switch (style) {
    case CitationStyle::MLA:
        return book.mla_style;
    case CitationStyle::CHG:
        return book.chicago_style;
    case CitationStyle::TRB:
        return book.turabian_style;
    case CitationStyle::APA:
        return book.apa_style;
    case CitationStyle::HRV:
        return book.harvard_style;
    case CitationStyle::IEE:
        return book.ieee_style;
    }
    throw std::logic_error("unknown citation style");
}

bool citationAvailable(const std::string& citation) {
    return citation != "N/A";
}

std::array<std::string, 6> infoPanelValues(const reader::TDetailBook& book) {
    return {"  " + book.judul, "  " + book.penulis,      "  " + book.penerbit,
            "  " + book.isbn,  "  " + book.tahun_terbit, "  " + book.kategori};
}

std::string citationFileContent(const std::string& citation) {
    return citation + "\r\n";
}

void writeCitationFile(const std::string& path, const std::string& citation) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    const std::string content = citationFileContent(citation);
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(errno));
    if (std::fwrite(content.data(), 1, content.size(), file.get()) != content.size())
        throw std::runtime_error("Cannot write file \"" + path + "\". " + std::strerror(errno));
    // A full disk may show only when the buffer goes out.
    if (std::fclose(file.release()) != 0)
        throw std::runtime_error("Cannot write file \"" + path + "\". " + std::strerror(errno));
}

const char* styleCaption(CitationStyle style) {
    static const char* const kCaptions[6] = {"MLA Style", "Chicago Style", "Turabian Style",
                                             "APA Style", "Harvard Style", "IEEE Style"};
    return kCaptions[static_cast<int>(style)];
}

} // namespace sumberlaras::bookinfo
