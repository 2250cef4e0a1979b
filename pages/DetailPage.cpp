#include "pages/CssColour.h"
#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

struct Crumb {
    std::string_view from;
    std::string_view label;
    std::string_view call;
};

constexpr Crumb kCrumbs[] = {
    {"home", "", ""},
    {"homeSection", "Section", "app.backToSection()"},
    {"category", "Kategori", "app.backToCategory()"},
    {"chart", "History", "app.backToChart()"},
    {"search", "Pencarian", "app.backToSearch()"},
};

void writeTableRow(PageText& page, std::string_view label, const std::string& value) {
    page << "<tr>";
    page << "<td class=\"col-sm-3\">" + std::string(label) + "</td>";
    page << "<td class=\"col-sm-9\"><span>:</span> " + value + "</td>";
    page << "</tr>";
}

} // namespace

std::string detailPage(const Json& partner, const Json& detail, const std::string& from,
                       const std::string& base) {
    const std::string read = cssColour(text(partner, "warna_hover_baca"));
    const std::string title = sanitizeMarkup(text(detail, "judul"));
    PageText page;
    page << "<!DOCTYPE html>";
    page << "<html lang=\"en\">";
    page << "";
    page << "<head>";
    page << "<meta charset=\"utf-8\">";
    page << kCompatMeta;
    page << "<title>Detail Buku</title>";
    page << "<link href=\"css/bootstrap.min.css\" rel=\"stylesheet\">";
    page << "<link href=\"css/style.css\" rel=\"stylesheet\">";
    page << "</head>";
    page << "<style>";
    page << ".btn-baca{ background-color:" + read + "; border-color: " + read + ";}";
    page << ".btn-baca:hover{ opacity:0.5; background-color:" + read + "; border-color: " + read +
                ";}";
    page << "</style>";
    page << "<body>";
    page << "<div id=\"overlay\"></div>";
    page << "";
    page << "<div class=\"detail-book-wrapper\">";
    page << "<div class=\"container\">";
    page << "<div class=\"row\">";
    page << "<ol class=\"breadcrumb\">";
    for (const Crumb& crumb : kCrumbs) {
        if (crumb.from != from)
            continue;
        page << "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.back()\">Home</a></li>";
        if (!crumb.label.empty())
            page << "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"" +
                        std::string(crumb.call) + "\">" + std::string(crumb.label) + "</a></li>";
        page << "<li class=\"breadcrumb-item active\">" + title + "</li>";
    }
    page << "</ol>";
    page << "</div>";
    page << "<div class=\"row\">";
    page << "<div class=\"col-sm-7 col-sm-offset-1\">";
    page << "<h2 class=\"mb30\">Detail Buku</h2>";
    page << "<div class=\"row\">";
    page << "<div class=\"col-sm-12\">";
    page << "<table class=\"table table-striped\">";
    page << "<tbody>";
    writeTableRow(page, "Judul", title);
    for (const auto& [label, member] :
         {std::pair{"Tahun Terbit", "tahun_terbit"}, std::pair{"Penulis", "penulis"},
          std::pair{"Penerbit", "penerbit"}, std::pair{"ISBN", "isbn"},
          std::pair{"Kategori", "kategori"}})
        writeTableRow(page, label, sanitizeMarkup(text(detail, member)));
    writeTableRow(page, "Stok", count(detail, "stok") + "/" + count(detail, "qty"));
    page << "</tbody>";
    page << "</table>";
    page << "</div>";
    page << "</div>";
    page << "<div class=\"description\">";
    page << "<h3>Sinopsis</h3>";
    page << "<div class=\"desc-detail\">";
    page << sanitizeMarkup(text(detail, "sinopsis"));
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "<div class=\"col-sm-3 border-left\">";
    page << "<div class=\"image-wrapper\">";
    page << "<img src=\"img/loading.jpg\" data-src=\"" +
                attr(serviceAddress(text(detail, "cover_file"), base)) +
                "\" alt=\"book\" class=\"img-responsive center-block img-books lazyload\">";
    page << "</div>";
    page << "<button type=\"button\" class=\"btn btn-success btn-block btn-baca\" "
            "onClick=\"app.baca('" +
                jsArg(text(detail, "id")) + "')\">BACA</button>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    writeLibraryIncludes(page, false, true);
    page << "</body>";
    page << "";
    page << "</html>";
    return page.str();
}

} // namespace sumberlaras::pages
