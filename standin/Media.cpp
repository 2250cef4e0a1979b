#include "standin/Media.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "standin/PdfWriter.h"
#include "standin/Png.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

const Book* bookWhere(bool (*match)(const Book&, const std::string&), const std::string& key) {
    for (const Book& book : demoCatalogue().books) {
        if (match(book, key)) {
            return &book;
        }
    }
    return nullptr;
}

PdfPage textPage(const std::string& text, const std::string& footer, bool titlePage) {
    PdfPage page;
    constexpr double margin = 50;
    double y = titlePage ? page.height - 180 : page.height - 70;
    bool first = true;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        if (paragraph.empty()) {
            y -= 10;
            continue;
        }
        const bool heading = first;
        const double size = titlePage && heading ? 20 : heading ? 14 : 11;
        for (const std::string& line : wrapText(paragraph, page.width - 2 * margin, size)) {
            page.lines.push_back({margin, y, size, heading, line});
            y -= size * 1.45;
        }
        first = false;
    }
    if (!footer.empty()) {
        page.lines.push_back({page.width / 2 - 8, 36, 10, false, footer});
    }
    return page;
}

std::optional<std::string> makeCover(const std::string& name) {
    const Book* book =
        bookWhere([](const Book& b, const std::string& key) { return b.coverFile() == key; }, name);
    if (!book) {
        return std::nullopt;
    }
    return coverImage(*book);
}

std::optional<std::string> makeBanner(const std::string& name) {
    for (const Banner& banner : demoCatalogue().banners) {
        if (banner.img == name) {
            return bannerImage(std::stoi(name.substr(7)));
        }
    }
    return std::nullopt;
}

std::optional<std::string> makeLogo(const std::string& name) {
    const Catalogue& catalogue = demoCatalogue();
    if (name == catalogue.logoFile) {
        return logoImage(false);
    }
    if (name == catalogue.loginLogoFile) {
        return logoImage(true);
    }
    if (name == catalogue.introFile) {
        return introImage();
    }
    for (const Member& member : catalogue.members) {
        if (name == "avatar-" + std::to_string(member.id) + ".png") {
            return avatarImage(member.id);
        }
    }
    return std::nullopt;
}

std::optional<std::string> makeDocument(const std::string& name) {
    const Book* book = bookWhere(
        [](const Book& b, const std::string& key) { return b.documentFile() == key; }, name);
    if (!book) {
        return std::nullopt;
    }
    return bookDocument(*book);
}

bool safeName(const std::string& name) {
    if (name.empty() || name.size() > 100) {
        return false;
    }
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!ok) {
            return false;
        }
    }
    return name.find("..") == std::string::npos;
}

} // namespace

std::string bookDocument(const Book& book) {
    PdfDocument document{book.judul, book.penulis, {}};
    for (size_t i = 0; i < book.pages.size(); ++i) {
        const int index = static_cast<int>(i);
        const bool numbered = index != 0 && index != book.halamanRomawi;
        const std::string footer = numbered ? pageLabel(index, book.halamanRomawi) : "";
        document.pages.push_back(textPage(book.pages[i], footer, index == 0));
    }
    return writePdf(document);
}

std::string coverImage(const Book& book) {
    const double hue = (book.id * 47) % 360;
    Canvas canvas(240, 340);
    canvas.verticalGradient(fromHsv(hue, 0.55, 0.95), fromHsv(hue + 25, 0.75, 0.55));
    const int variant = book.id % 4;
    canvas.circle(120 + (variant - 2) * 30, 120, 70 - variant * 8, fromHsv(hue + 180, 0.35, 1.0),
                  150);
    canvas.circle(60 + variant * 40, 200, 30, fromHsv(hue + 90, 0.4, 1.0), 110);
    for (int stripe = 0; stripe < 3 + variant; ++stripe) {
        canvas.rect(24, 250 + stripe * 14, 192 - stripe * 30, 6, fromHsv(hue, 0.1, 1.0));
    }
    canvas.rect(0, 0, 14, 340, fromHsv(hue + 25, 0.8, 0.4)); // the spine
    return canvas.png();
}

std::string bannerImage(int number) {
    const double hue = 30 + number * 64;
    Canvas canvas(1200, 400);
    canvas.verticalGradient(fromHsv(hue, 0.45, 0.98), fromHsv(hue + 30, 0.7, 0.7));
    for (int k = 0; k < 6; ++k) {
        canvas.circle(150 + k * 190, 200 + ((k + number) % 3 - 1) * 70, 60 + (k * 23 % 50),
                      fromHsv(hue + 150 + k * 10, 0.3, 1.0), 90);
    }
    canvas.rect(80, 300, 520, 18, fromHsv(hue, 0.05, 1.0));
    canvas.rect(80, 330, 360, 12, fromHsv(hue, 0.05, 1.0));
    return canvas.png();
}

std::string logoImage(bool forLogin) {
    const int width = forLogin ? 360 : 240, height = forLogin ? 120 : 60;
    Canvas canvas(width, height, {255, 255, 255});
    const int r = height / 3;
    canvas.circle(height / 2, height / 2, r, {23, 105, 170});
    canvas.circle(height / 2 + r, height / 2, r, {245, 166, 35}, 200);
    for (int bar = 0; bar < 3; ++bar) {
        canvas.rect(height + r + 10, height / 4 + bar * (height / 5),
                    width - height - r - 30 - bar * 40, height / 10 + 1, {40, 60, 80});
    }
    return canvas.png();
}

std::string introImage() {
    Canvas canvas(600, 400);
    canvas.verticalGradient({135, 196, 235}, {230, 244, 250});
    canvas.circle(470, 110, 55, {255, 204, 77});
    canvas.circle(150, 520, 260, {88, 160, 90});
    canvas.circle(470, 560, 280, {60, 130, 70});
    canvas.rect(250, 250, 100, 80, {190, 90, 60});
    canvas.rect(280, 290, 30, 40, {90, 50, 30});
    return canvas.png();
}

std::string avatarImage(int memberId) {
    const double hue = memberId * 120.0;
    Canvas canvas(128, 128, fromHsv(hue, 0.25, 0.95));
    canvas.circle(64, 48, 24, fromHsv(hue, 0.5, 0.6));
    canvas.circle(64, 130, 48, fromHsv(hue, 0.5, 0.6));
    return canvas.png();
}

MediaStore::MediaStore(std::string folder) : folder_(std::move(folder)) {
    fs::create_directories(folder_);
}

std::optional<std::string> MediaStore::image(const std::string& folder, const std::string& name) {
    if (!safeName(name)) {
        return std::nullopt;
    }
    if (folder == "cover") {
        return cached(name, makeCover);
    }
    if (folder == "banner") {
        return cached(name, makeBanner);
    }
    if (folder == "logo") {
        return cached(name, makeLogo);
    }
    return std::nullopt;
}

std::optional<std::string> MediaStore::document(const std::string& name) {
    if (!safeName(name)) {
        return std::nullopt;
    }
    return cached(name, makeDocument);
}

std::optional<std::string>
MediaStore::cached(const std::string& key, std::optional<std::string> (*make)(const std::string&)) {
    std::lock_guard lock(mutex_);
    const fs::path path = fs::path(folder_) / key;
    if (fs::exists(path)) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (in || in.eof()) {
            return bytes.str();
        }
    }
    auto made = make(key);
    if (made) {
        const fs::path partial = path.string() + ".part";
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << *made;
        out.close();
        std::error_code ignored;
        if (out) {
            fs::rename(partial, path, ignored);
        } else {
            fs::remove(partial, ignored);
        }
    }
    return made;
}

} // namespace standin
