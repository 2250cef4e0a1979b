#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

std::string bookListPage(BookListKind kind, const std::string& base, const std::string& heading,
                         const Json& cards) {
    const std::string title = sanitizeMarkup(heading);
    std::string middle;
    if (kind == BookListKind::Category)
        middle = "<li class=\"breadcrumb-item\"><a href=\"#\" "
                 "onClick=\"app.backKategori()\">Kategori</a></li>\r\n";
    else if (kind == BookListKind::SubCategory)
        middle = "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.backKategori()\">Sub "
                 "Kategori</a></li>\r\n";
    const std::string_view click =
        kind == BookListKind::Section ? "app.detailFromSection" : "app.detailFromCategory";

    PageText page;
    page << "<!DOCTYPE html>\r\n"
            "<html lang=\"en\">\r\n"
            "<head>\r\n"
            "<meta charset=\"utf-8\">\r\n" +
                std::string(kCompatMeta) +
                "\r\n"
                "<title>Index</title>\r\n"
                "<link href=\"css/bootstrap.min.css\" rel=\"stylesheet\">\r\n"
                "<link rel=\"stylesheet\" type=\"text/css\" "
                "href=\"plugins/slick-slider/slick/slick-theme.css\">\r\n"
                "<link rel=\"stylesheet\" type=\"text/css\" "
                "href=\"plugins/slick-slider/slick/slick.css\">\r\n"
                "<link rel=\"stylesheet\" type=\"text/css\" "
                "href=\"plugins/bootstrap-star-rating/css/star-rating.css\">\r\n"
                "<link href=\"css/style.css\" rel=\"stylesheet\">\r\n"
                "<style>\r\n"
                ".section-wrapper{\r\n"
                "\r\n"
                "margin-top:20px;\r\n"
                "}\r\n"
                "#btnMore{ margin-bottom : 30px;}\r\n"
                "</style>\r\n"
                "</head>\r\n"
                "\r\n"
                "<body>\r\n"
                "<div id=\"overlay\"></div>\r\n"
                "\r\n"
                "<div class=\"section-wrapper\">\r\n"
                "<div class=\"container\">\r\n"
                "\r\n"
                "<div id=\"myBooks\">\r\n"
                "\r\n"
                "\r\n"
                "<div class=\"row\">\r\n"
                "<ol class=\"breadcrumb\">\r\n"
                "<li class=\"breadcrumb-item\"><a href=\"#\" "
                "onClick=\"app.back()\">Home</a></li>\r\n" +
                middle + "<li class=\"breadcrumb-item active\">" + title +
                "</li>\r\n"
                "</ol>\r\n"
                "</div>\r\n"
                "<div class=\"row\">\r\n"
                "<div class=\"title-section-wrap\">\r\n"
                "<h2 class=\"title-section\">" +
                title +
                "</h2>\r\n"
                "</div>\r\n"
                "</div>\r\n"
                "<div class=\"row small-gutters multiple-items\">";
    const CardStyle card{click, false, false};
    for (const auto& c : cards)
        page << bookCard(c, base, card);
    page << "";
    page << "</div>";
    page << "";
    page << "";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    writeLibraryIncludes(page, true, false);
    page << "<script>";
    page << readyFunctionScript();
    page << "$(document).ready(readyFunctionScript);";
    page << "</script>";
    page << "</body>";
    page << "";
    page << "</html>";
    return page.str();
}

} // namespace sumberlaras::pages
