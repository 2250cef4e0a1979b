#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

bool bannerIsClickable(const Json& banner) {
    if (!banner.is_object())
        return false;
    auto it = banner.find("url_link");
    if (it == banner.end() || it->is_null())
        return false;
    const std::string link = text(banner, "url_link");
    return !link.empty() && link != "#";
}

// One section: its head, its cards and the two closing elements.
std::string section(const Json& sectionJson, const std::string& base, bool oneLine) {
    const std::string_view br = oneLine ? "" : "\r\n";
    const std::string title = text(sectionJson, "judul_section");
    std::string out;
    const auto line = [&](const std::string& piece) {
        out += piece;
        out += br;
    };
    line("<div class=\"col-sm-12 section-item\">");
    line("<div class=\"row\">");
    line("<div class=\"title-section-wrap\">");
    line("<h2 class=\"title-section\">" + html(title) + "</h2>");
    line("<a href=\"javascript:void(0);\" class=\"link-see-all\" onClick=\"app.homeDetail('" +
         jsArg(text(sectionJson, "id")) + "','" + jsArg(title) + "')\">Lihat Semua &raquo;</a>");
    line("</div>");
    line("</div>");
    line("<div class=\"row small-gutters multiple-items\">");
    const CardStyle card{"app.detail", true, oneLine};
    for (const auto& row : items(sectionJson, "rows"))
        line(bookCard(row, base, card));
    line("</div>");
    out += "</div>";
    return out;
}

} // namespace

std::string homeSections(const Json& sections, const std::string& base) {
    std::string out;
    for (const auto& s : sections)
        out += section(s, base, true);
    return withoutCrLf(trim(out));
}

std::string homeReadyLine(int firstRun) {
    return "$(document).ready(readyFunctionScript(" + std::to_string(firstRun) + "));";
}

std::string homePage(const Json& partner, const std::string& base, const Json& banners,
                     const Json& sections, int firstRun) {
    PageText page;
    page << "<!DOCTYPE html>";
    page << "<html lang=\"en\">";
    page << "";
    page << "<head>";
    page << "<meta charset=\"utf-8\">";
    page << kCompatMeta;
    page << "<title>Index</title>";
    writeListStyleSheets(page);
    page << "<style>";
    writeThemeRules(page, partner, ThemeHeader | ThemeLoadMore | ThemeCategoryTab);
    page << "</style>";
    page << "</head>";
    writePageHeader(page, HeaderVariant::Home, base, partner);
    page << "<div class=\"section-wrapper\">";
    page << "<div class=\"container\">";
    page << "<div class=\"row\">";
    page << "<div class=\"col-sm-12\">";
    page << "<div class=\"banner\">";
    for (const auto& banner : banners) {
        std::string line = "<div><img src=\"img/loading-banner.jpg\" data-src=\"" + base +
                           "/prod/img/banner/" + attr(text(banner, "img")) +
                           "\" alt=\"banner\" class=\"img-responsive lazyload\"";
        if (bannerIsClickable(banner))
            line += " onClick=\"app.openBanner('" + jsArg(text(banner, "url_link")) + "')\"";
        page << line + "></div>";
    }
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "<div class=\"row\">";
    page << "<div class=\"col-sm-12 category-list\">";
    page << "<ul class=\"nav nav-tabs nav-justified\">";
    page << "<li onClick=\"app.topChart()\"><a href=\"#\">Banyak Dibaca</a></li>";
    page << "<li onClick=\"app.lastRead()\"><a href=\"#\">Terakhir Dibaca</a></li>";
    page << "<li onClick=\"app.lastView()\"><a href=\"#\">Terakhir Dilihat</a></li>";
    page << "<li onClick=\"app.loadKategori()\"><a href=\"#\">Kategori</a></li>";
    page << "</ul>";
    page << "</div>";
    page << "</div>";
    page << "<div id=\"myBooks\">";
    for (const auto& s : sections)
        page << section(s, base, false);
    page << "<!--KONTEN-->";
    page << "</div>";
    page << "<div class=\"row\" id=\"btnMore\">";
    page << "<div class=\"col-sm-4 col-sm-offset-4 mt30\">";
    page << "<a href=\"javascript:void(0);\" id=\"loadMore\" class=\"btn btn-primary btn-block "
            "btn-more\" onClick=\"app.loadMore()\">Selebihnya</a>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    if (partner.is_object() && partner.contains("keterangan_intro") &&
        !partner["keterangan_intro"].is_null()) {
        page << "<div id=\"myModal\" class=\"modal fade\">";
        page << "<div class=\"modal-dialog\"><div class=\"modal-content\"><div "
                "class=\"modal-header\"><button type=\"button\" class=\"close\" "
                "data-dismiss=\"modal\" aria-hidden=\"true\">&times;</button></div><div "
                "class=\"modal-body\">";
        page << "<img src=\"" + attr(serviceAddress(text(partner, "foto_intro"), base)) +
                    "\" alt=\"profile\" class=\"img-responsive img-circle\" "
                    "style=\"margin-bottom:15px; margin-right:15px; float:left; width:180px;\">";
        page << sanitizeMarkup(text(partner, "keterangan_intro"));
        page << "</div>";
        page << "</div>";
        page << "</div>";
        page << "</div>";
    }
    writeLibraryIncludes(page, true, true);
    page << "<script>";
    page << homeReadyFunctionScript();
    page << homeReadyLine(firstRun);
    page << searchSubmitScript();
    page << "</script>";
    page << "</body>";
    page << "";
    page << "</html>";
    return page.str();
}

} // namespace sumberlaras::pages
