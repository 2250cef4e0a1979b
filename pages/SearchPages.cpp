#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

// One item per result page; the shown one is active, the others search again.
void writePager(PageText& page, int count, int current, const std::string& keyword,
                const std::string& field) {
    for (int n = 1; n <= count; ++n) {
        const std::string number = std::to_string(n);
        if (n == current)
            page << "<li class=\"active\"><a href=\"#\">" + number + "</a></li>";
        else
            page << "<li><a href=\"javascript:void(0);\" onClick=\"app.searchResult('" +
                        jsArg(keyword) + "','" + jsArg(field) + "'," + number + ")\">" + number +
                        "</a></li>";
    }
}

} // namespace

int resultPageCount(const Json& answer) {
    const long long rows = integer(answer, "total_rows");
    if (rows <= 0)
        return 0;
    const long long pages = rows / 10 + (rows % 10 != 0 ? 1 : 0);
    // A service that claims billions of rows must not make a page of billions of links.
    return static_cast<int>(pages > 100000 ? 100000 : pages);
}

std::string searchPage(const Json& partner, const std::string& base, const Json& answer, int page,
                       const std::string& keyword, const std::string& field) {
    PageText out;
    out << "<!DOCTYPE html>";
    out << "<html lang=\"en\">";
    out << "<head>";
    out << "<meta charset=\"utf-8\">";
    out << kCompatMeta;
    out << "<title>Index</title>";
    writeListStyleSheets(out);
    out << "<style>";
    out << ".section-wrapper{";
    out << "";
    out << "margin-top:85px;";
    out << "}";
    writeThemeRules(out, partner, ThemeHeader | ThemeList);
    out << "</style>";
    out << "</head>";
    out << "";
    writePageHeader(out, HeaderVariant::Search, base, partner, keyword);
    out << "";
    out << "<div class=\"section-wrapper\">";
    out << "<div class=\"container\">";
    out << "";
    out << "<div id=\"myBooks\">";
    out << "";
    out << "";
    out << "<div class=\"row\">";
    out << "<ol class=\"breadcrumb\">";
    out << "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.back()\">Home</a></li>";
    out << "<li class=\"breadcrumb-item active\">Hasil Pencarian : " + sanitizeMarkup(keyword) +
               " ( Found : " + count(answer, "total_rows") + " Records )</li>";
    out << "</ol>";
    out << "</div>";
    out << "<div class=\"row small-gutters multiple-items\" id=\"contents\">";
    const CardStyle card{"app.detailFromSearch", true, false};
    for (const auto& c : items(answer, "data"))
        out << bookCard(c, base, card);
    out << "</div>";
    out << "";
    out << "<div class=\"row\">";
    out << "<div class=\"text-center\">";
    out << "<ul class=\"pagination\">";
    writePager(out, resultPageCount(answer), page, keyword, field);
    out << "</ul>";
    out << "</div>";
    out << "</div>";
    out << "";
    out << "</div>";
    out << "</div>";
    out << "</div>";
    writeLibraryIncludes(out, true, false);
    out << "<script>";
    out << readyFunctionScript();
    out << "$(document).ready(readyFunctionScript);";
    out << searchSubmitScript();
    out << "</script>";
    out << "</body>";
    out << "";
    out << "</html>";
    return out.str();
}

std::string sentenceSearchPage(const Json& partner, const std::string& base, const Json& answer,
                               int page, const std::string& keyword) {
    PageText out;
    out << "<!DOCTYPE html>";
    out << "<html lang=\"en\">";
    out << "";
    out << "<head>";
    out << "<meta charset=\"utf-8\">";
    out << kCompatMeta;
    out << "<title>Index</title>";
    writeListStyleSheets(out);
    out << "<style>";
    writeThemeRules(out, partner, ThemeHeader | ThemeList);
    out << "</style>";
    out << "</head>";
    writePageHeader(out, HeaderVariant::SentenceSearch, base, partner, keyword);
    out << "<div class=\"section-wrapper\">";
    out << "<div class=\"container\">";
    out << "<div class=\"row\">";
    out << "<ol class=\"breadcrumb\">";
    out << "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.back()\">Home</a></li>";
    out << "<li class=\"breadcrumb-item active\">Hasil Pencarian Kalimat : " +
               sanitizeMarkup(keyword) + " ( Found " + count(answer, "total_rows") +
               " Records)</li>";
    out << "</ol>";
    out << "</div>";
    out << "<div class=\"row\">";
    out << "<div id=\"listChart\" class=\"col-sm-10 col-sm-offset-1 list-chart\">";
    for (const auto& hit : items(answer, "data")) {
        const std::string id = jsArg(text(hit, "id"));
        out << "<div class=\"row list-chart-row\">";
        out << "<div class=\"col-sm-12\">";
        out << "<div class=\"row\">";
        out << "<div class=\"col-sm-2\">";
        out << "<img src=\"img/loading.jpg\" data-src= \"" + base + "/prod/img/cover/" +
                   attr(text(hit, "img")) + "\" alt=\"book\" class=\"img-responsive lazyload\">";
        out << "</div>";
        out << "<div class=\"col-sm-8 middle-section\">";
        out << "<div class=\"describe-wrap\">";
        out << "<h3 class=\"title-books\"><a href=\"javascript:void(0);\" "
               "onClick=\"app.detailFromSearch('" +
                   id + "')\">" + html(text(hit, "judul")) + "</a></h3>";
        out << "<h4 class=\"author\">Halaman : " + html(text(hit, "halaman")) + "</h4>";
        out << "<h4 class=\"author\">Isi Buku : </h4>";
        out << "<span class=\"more\">";
        out << sanitizeMarkup(text(hit, "hal_txt"));
        out << "</span>";
        out << "</div>";
        out << "</div>";
        out << "<div class=\"col-sm-2\">";
        out << "<button type=\"button\" class=\"btn btn-primary btn-block\" "
               "onClick=\"app.bacaKalimat('" +
                   id + "','" + jsArg(text(hit, "hal_idx")) + "')\">BACA</button>";
        out << "</div>";
        out << "</div>";
        out << "</div>";
        out << "</div>";
    }
    out << "<!--LAST-->";
    out << "</div>";
    out << "</div>";
    out << "";
    out << "</div>";
    out << "";
    out << "<div class=\"row\">";
    out << "<div class=\"text-center\">";
    out << "<ul class=\"pagination\">";
    writePager(out, resultPageCount(answer), page, keyword, "Kalimat");
    out << "</ul>";
    out << "</div>";
    out << "</div>";
    out << "";
    out << "</div>";
    out << "</div>";
    writeLibraryIncludes(out, true, true);
    out << "<script>";
    out << "$(document).ready(function() {";
    out << "});";
    out << searchSubmitScript();
    out << "</script>";
    out << "</body>";
    out << "";
    out << "</html>";
    return out.str();
}

} // namespace sumberlaras::pages
