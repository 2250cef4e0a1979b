#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

// The start of the load-more link's line; markup no service text can write.
constexpr std::string_view kLoadMoreStart = "<a href=\"javascript:void(0);\" id=\"loadMore\"";

struct ChartFamily {
    std::string_view breadcrumb;
    unsigned themeParts;
    bool rating;
    std::string_view readButtonClass;
    std::string_view loadMoreClass;
    std::string_view loadMoreFunction;
};

const ChartFamily& family(ChartKind kind) {
    static const ChartFamily top{"Banyak Dibaca",
                                 ThemeHeader | ThemeList | ThemeReadButton | ThemeLoadMore,
                                 true,
                                 "btn btn-primary btn-block btn-baca",
                                 "btn btn-primary btn-block btn-more",
                                 "app.loadMoreChart"};
    static const ChartFamily read{
        "Terakhir Dibaca",           ThemeHeader | ThemeList,     false,
        "btn btn-primary btn-block", "btn btn-primary btn-block", "app.loadMoreLastRead"};
    static const ChartFamily view{
        "Terakhir Dilihat",          ThemeHeader | ThemeList,     false,
        "btn btn-primary btn-block", "btn btn-primary btn-block", "app.loadMoreLastView"};
    switch (kind) {
    case ChartKind::TopRead:
        return top;
    case ChartKind::LastRead:
        return read;
    case ChartKind::LastView:
        break;
    }
    return view;
}

// One chart row; appended rows are one line with publisher and ISBN escaped
// and the plain read button.
std::string chartRow(const ChartFamily& f, const Json& row, const std::string& base,
                     bool appended) {
    const std::string_view br = appended ? "" : "\r\n";
    const std::string id = jsArg(text(row, "id_konten"));
    std::string out;
    const auto line = [&](const std::string& piece) {
        out += piece;
        out += br;
    };
    line("<div class=\"row list-chart-row\">");
    line("<div class=\"col-sm-12\">");
    line("<div class=\"row\">");
    line("<div class=\"col-sm-2\">");
    line("<img src=\"img/loading.jpg\" data-src= \"" + base + "/prod/img/cover/" +
         attr(text(row, "img")) + "\" alt=\"book\" class=\"img-responsive lazyload\">");
    line("</div>");
    line("<div class=\"col-sm-8 middle-section\">");
    line("<div class=\"describe-wrap\">");
    line("<h3 class=\"title-books\"><a href=\"javascript:void(0);\" "
         "onClick=\"app.detailFromChart('" +
         id + "')\">" + html(text(row, "judul")) + "</a></h3>");
    line("<h4 class=\"author\">" + html(text(row, "penulis")) + "</h4>");
    const std::string publisher = text(row, "penerbit");
    const std::string isbn = text(row, "isbn");
    line("<h4 class=\"author\">" + (appended ? html(publisher) : sanitizeMarkup(publisher)) +
         "</h4>");
    line("<h4 class=\"author\">" + (appended ? html(isbn) : sanitizeMarkup(isbn)) + "</h4>");
    if (f.rating)
        line("<input id=\"rating\" class=\"rating-detail\" type=\"number\" min=\"0\" max=\"5\" "
             "step=\"1\" data-size=\"sm\" value=\"" +
             attr(text(row, "nilai_rate")) + "\">");
    line("<span class=\"more\">");
    line(sanitizeMarkup(text(row, "sinopsis")));
    line("</span>");
    line("</div>");
    line("</div>");
    line("<div class=\"col-sm-2\">");
    line("<p class=\"txt16\"><span>Stok</span>: " + count(row, "stok") + "/" + count(row, "qty") +
         "</p>");
    line("<button type=\"button\" class=\"" +
         std::string(appended ? "btn btn-primary btn-block" : f.readButtonClass) +
         "\" onClick=\"app.bacaSection('" + id + "')\">BACA</button>");
    line("</div>");
    line("</div>");
    line("</div>");
    out += "</div>";
    return out;
}

} // namespace

std::string chartLoadMoreFunction(ChartKind kind) {
    return std::string(family(kind).loadMoreFunction);
}

std::string chartLoadMoreLink(ChartKind kind, int nextPage) {
    return std::string(kLoadMoreStart) + " class=\"btn btn-primary btn-block\" onClick=\"" +
           chartLoadMoreFunction(kind) + "(" + std::to_string(nextPage) + ")\">Selebihnya</a>";
}

bool isChartLoadMoreLink(ChartKind kind, std::string_view line) {
    return line.starts_with(kLoadMoreStart) &&
           line.find(" onClick=\"" + chartLoadMoreFunction(kind) + "(") != std::string_view::npos;
}

std::string chartRows(ChartKind kind, const std::string& base, const Json& rows) {
    std::string out;
    for (const auto& row : rows)
        out = trim(out + trim(chartRow(family(kind), row, base, true)));
    return out;
}

std::string chartPage(ChartKind kind, const Json& partner, const std::string& base,
                      const Json& rows) {
    const ChartFamily& f = family(kind);
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
    writeThemeRules(page, partner, f.themeParts);
    page << "</style>";
    page << "</head>";
    writePageHeader(page, HeaderVariant::Chart, base, partner);
    page << "<div class=\"section-wrapper\">";
    page << "<div class=\"container\">";
    page << "<div class=\"row\">";
    page << "<ol class=\"breadcrumb\">";
    page << "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.back()\">Home</a></li>";
    page << "<li class=\"breadcrumb-item active\">" + std::string(f.breadcrumb) + "</li>";
    page << "</ol>";
    page << "</div>";
    page << "<div class=\"row\">";
    page << "<div id=\"listChart\" class=\"col-sm-10 col-sm-offset-1 list-chart\">";
    for (const auto& row : rows)
        page << chartRow(f, row, base, false);
    page << "<!--LAST-->";
    page << "</div>";
    page << "</div>";
    page << "<div class=\"row\" id=\"btnMore\">";
    page << "<div class=\"col-sm-4 col-sm-offset-4 mt30\">";
    page << std::string(kLoadMoreStart) + " class=\"" + std::string(f.loadMoreClass) +
                "\" onClick=\"" + std::string(f.loadMoreFunction) + "(2)\">Selebihnya</a>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    writeLibraryIncludes(page, true, true);
    page << "<script>";
    page << "$(document).ready(function() {";
    page << "});";
    page << searchSubmitScript();
    page << "</script>";
    page << "</body>";
    page << "";
    page << "</html>";
    return page.str();
}

} // namespace sumberlaras::pages
