#include "pages/PageBlocks.h"

#include "pages/CssColour.h"
#include "pages/MarkupSanitizer.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

void writeThemeRules(PageText& page, const Json& partner, unsigned parts) {
    const std::string header = cssColour(text(partner, "warna_header"));
    const std::string accent = cssColour(text(partner, "warna_button_login"));
    const std::string hover = cssColour(text(partner, "warna_hover_button_login"));
    const std::string read = cssColour(text(partner, "warna_hover_baca"));
    if (parts & ThemeHeader) {
        page << ".navbar-default{ background-color: " + header + "; }";
        page << ".search-area .btn-filter:hover, .search-area .btn-filter:focus{ color: " + accent +
                    "; }";
        page << "#header .login-inner ul li .list-item:hover{ border-left: 4px solid " + accent +
                    "; color: " + accent + "; }";
        page << ".main-banners .menu-item-inner:hover{ color: " + accent + "; border: 1px solid " +
                    accent + "; }";
        page << ".tabs-category .nav-tabs>li.active{ background-color: " + accent + "; }";
        page << ".tabs-category .nav-tabs>li:hover{ background-color: " + hover + "; }";
        page << ".list-item-category:hover{ color: " + accent + "; border: 1px solid " + accent +
                    "; }";
    }
    if (parts & ThemeList) {
        page << ".title-books{ margin-top: 0; margin-bottom: 5px; font-size: 16px; font-weight: "
                "700; color: #333333; white-space: nowrap; overflow: hidden; text-overflow: "
                "ellipsis; }";
        page << ".author{ margin-top: 0; margin-bottom: 5px; font-size: 14px; font-weight: 700; "
                "color: #959595; }";
        page << ".txt16{ font-size: 16px; }";
        page << ".list-chart{ padding: 0 15px; border: 1px solid #ccc; background-color: #fff; }";
        page << ".list-chart-row{ padding: 15px 0; border-bottom: 1px solid #ccc; }";
        page << ".list-chart-row:last-child{ border-bottom: none; }";
        page << ".middle-section{ border-right: 1px solid #ccc; }";
        page << "#btnMore{ margin-bottom: 20px; }";
    }
    if (parts & ThemeReadButton) {
        page << ".btn-baca{ background-color: " + read + "; }";
        page << ".btn-baca:hover{ opacity: 0.5; background-color: " + read + "; }";
    }
    if (parts & ThemeLoadMore) {
        page << ".btn-more{ margin-bottom: 30px; background-color: " + accent +
                    "; border-color: " + accent + "; }";
        page << ".btn-more:hover{ background-color: " + accent +
                    "; opacity: 0.5; border-color: " + accent + "; }";
    }
    if (parts & ThemeCategoryTab)
        page << ".category-list .nav-tabs>li:hover{ background-color: " + hover + "; }";
}

void writePageHeader(PageText& page, HeaderVariant variant, const std::string& base,
                     const Json& partner, const std::string& keyword) {
    const bool home = variant == HeaderVariant::Home;
    const bool search =
        variant == HeaderVariant::Search || variant == HeaderVariant::SentenceSearch;
    page << "<body>";
    page << "<div id=\"overlay\"></div>";
    page << "<header id=\"header\" class=\"navbar navbar-default navbar-fixed-top\">";
    page << "<div class=\"container\">";
    page << "<div class=\"navbar-header\">";
    page << "<a class=\"navbar-brand\" href=\"#\">";
    page << "<img src=\"" + base + "/prod/img/logo/" + attr(text(partner, "logo")) +
                "\" alt=\"logo header\" class=\"img-responsive\">";
    page << "</a>";
    page << "</div>";
    page << "<div class=\"col-sm-6 col-md-6 col-sm-offset-1\">";
    page << "<div class=\"row\">";
    page << "<div class=\"col-sm-12 col-md-12input-group search-area\">";
    page << "<span class=\"input-group-btn\"><span class=\"icon-search\" type=\"button\" "
            "onClick=\"$('#submitSearch').submit();\"><span class=\"glyphicon "
            "glyphicon-search\"></span></span>";
    page << "</span>";
    if (!home)
        page << "<input type=\"hidden\" name=\"search_param\" value=\"all\" id=\"search_param\">";
    page << "<form id=\"submitSearch\">";
    if (home)
        page << "<input id=\"keyword\" type=\"text\" class=\"form-control\" name=\"keyword\" "
                "placeholder=\"Cari...\">";
    else if (search)
        page << "<input id=\"keyword\" type=\"text\" class=\"form-control\" name=\"x\" "
                "placeholder=\"Cari...\" value=\"" +
                    attr(keyword) + "\">";
    else
        page << "<input id=\"keyword\" type=\"text\" class=\"form-control\" name=\"x\" "
                "placeholder=\"Cari...\">";
    page << "</form>";
    page << "<div class=\"search-panel\">";
    page << "<button type=\"button\" class=\"btn btn-default btn-filter dropdown-toggle\" "
            "data-toggle=\"dropdown\">";
    page << std::string("<span id=\"search_concept\">") +
                (variant == HeaderVariant::SentenceSearch ? "Kalimat" : "Semua") +
                "</span> <span class=\"caret\"></span>";
    page << "</button>";
    page << "<ul class=\"dropdown-menu\" role=\"menu\">";
    if (home) {
        page << "<li><a href=\"#contains\">Penulis</a></li>";
        page << "<li><a href=\"#its_equal\">Penerbit</a></li>";
        page << "<li><a href=\"#greather_than\">ISBN</a></li>";
        page << "<li><a href=\"#all\">Semua</a></li>";
        page << "<li><a href=\"#less_than\">Kalimat</a></li>";
    } else {
        page << "<li><a href=\"#semua\">Semua</a></li>";
        page << "<li><a href=\"#contains\">Penulis</a></li>";
        page << "<li><a href=\"#its_equal\">Penerbit</a></li>";
        page << "<li><a href=\"#greather_than\">ISBN</a></li>";
        page << "<li><a href=\"#less_than\">Kalimat</a></li>";
    }
    page << "</ul>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "</div>";
    page << "<ul class=\"nav navbar-nav navbar-right\">";
    page << "<li class=\"dropdown login-wrap\">";
    page << "<a href=\"\"><img src=\"img/user.png\" alt=\"avatar\" class=\"img-responsive\"></a>";
    page << "<div class=\"dropdown-menu login-inner\">";
    page << "<ul class=\"list-unstyled login-list\">";
    page << "<li><a href=\"\" title=\"\" class=\"list-item\" onClick=\"app.account()\">Pengaturan "
            "Akun</a></li>";
    page << "<li role=\"separator\" class=\"divider\"></li>";
    page << "<li><a href=\"\" title=\"\" class=\"list-item\" "
            "onClick=\"app.logout()\">Keluar</a></li>";
    page << "</ul>";
    page << "</div>";
    page << "</li>";
    page << "</ul>";
    page << "</div>";
    page << "</header>";
}

void writeListStyleSheets(PageText& page) {
    page << "<link href=\"css/bootstrap.min.css\" rel=\"stylesheet\">";
    page << "<link rel=\"stylesheet\" type=\"text/css\" "
            "href=\"plugins/slick-slider/slick/slick-theme.css\">";
    page << "<link rel=\"stylesheet\" type=\"text/css\" "
            "href=\"plugins/slick-slider/slick/slick.css\">";
    page << "<link rel=\"stylesheet\" type=\"text/css\" "
            "href=\"plugins/bootstrap-star-rating/css/star-rating.css\">";
    page << "<link href=\"css/style.css\" rel=\"stylesheet\">";
}

void writeLibraryIncludes(PageText& page, bool withComments, bool withMain) {
    if (withComments)
        page << "<!-- jQuery (necessary for Bootstrap's JavaScript plugins) -->";
    page << "<script src=\"js/jquery.js\"></script>";
    if (withComments)
        page << "<!-- Include all compiled plugins (below), or include individual files as needed "
                "-->";
    page << "<script src=\"js/bootstrap.min.js\"></script>";
    page << "<script src=\"js/lazyload.min.js\"></script>";
    page << "<script src=\"plugins/slick-slider/slick/slick.min.js\"></script>";
    page << "<script src=\"plugins/bootstrap-star-rating/js/star-rating.js\"></script>";
    if (withMain)
        page << "<script src=\"js/main.js\"></script>";
}

std::string bookCard(const Json& card, const std::string& base, const CardStyle& style) {
    const std::string title = text(card, "judul");
    const std::string author = text(card, "penulis");
    const std::string_view br = style.oneLine ? "" : "\r\n";
    std::string out;
    const auto line = [&](const std::string& piece) {
        out += piece;
        out += br;
    };
    line("<div class=\"col-md-2 col-sm-2 col-xs-12 list-item-wrap\">");
    line("<div class=\"list-item\">");
    line("<a href=\"javascript:void(0);\" onClick=\"" + std::string(style.clickFunction) + "('" +
         jsArg(text(card, "id_konten")) + "')\">");
    line("<img src=\"img/loading.jpg\" data-src=\"" + base + "/prod/img/cover/" +
         attr(text(card, "img")) +
         "\" alt=\"book\" class=\"img-responsive center-block img-books lazyload\">");
    line("<div class=\"describe-wrap\">");
    line("<h3 class=\"title-books\">" +
         (style.escapeTitleAndAuthor ? html(title) : sanitizeMarkup(title)) + "</h3>");
    line("<h4 class=\"author\">" +
         (style.escapeTitleAndAuthor ? html(author) : sanitizeMarkup(author)) + "</h4>");
    line("<h4 class=\"author\">Stok : " + count(card, "stok") + "/" + count(card, "qty") + "</h4>");
    line("<input  class=\"rating-detail\" type=\"number\" min=\"0\" max=\"5\" step=\"1\" "
         "data-size=\"sm\" value=\"" +
         attr(text(card, "nilai_rate")) + "\">");
    line("</div>");
    line("</a>");
    line("</div>");
    out += "</div>";
    return out;
}

namespace {

std::string ratingCall(bool trailingComma) {
    return std::string("$('.rating-detail').rating({\r\n"
                       "glyphicon: false,\r\n"
                       "ratingClass: 'rating-fa',\r\n"
                       "size: 'xs',\r\n"
                       "step: 1,\r\n"
                       "showClear: false,\r\n"
                       "showCaption: false,\r\n"
                       "readOnly: true") +
           (trailingComma ? "," : "") + "\r\n});\r\n";
}

constexpr std::string_view kTopAndScroll = "$('a[href=\"#top\"]').click(function(){\r\n"
                                           "$('html, body').animate({scrollTop: 0}, 600);\r\n"
                                           "return false;\r\n"
                                           "});\r\n"
                                           "$(window).scroll(function(){\r\n"
                                           "if ($(this).scrollTop() > 50) {\r\n"
                                           "$('.totop a').fadeIn();\r\n"
                                           "} else {\r\n"
                                           "$('.totop a').fadeOut();\r\n"
                                           "}\r\n"
                                           "});\r\n"
                                           "lazload.update();\r\n"
                                           "}";

} // namespace

std::string readyFunctionScript() {
    return "function readyFunctionScript(){\r\n" + ratingCall(true) +
           "var lazload = new LazyLoad();\r\n" + std::string(kTopAndScroll);
}

std::string homeReadyFunctionScript() {
    return "function readyFunctionScript(X){\r\n"
           "if (X == 1) { $(\"#myModal\").modal(\"show\"); }\r\n" +
           ratingCall(false) +
           "var lazload = new LazyLoad();\r\n"
           "var options = {\r\n"
           "lazyLoad: \"ondemand\",\r\n"
           "infinite: true,\r\n"
           "slidesToShow: 6,\r\n"
           "slidesToScroll: 6\r\n"
           "};\r\n"
           "//$(\".multiple-items\").slick(options);\r\n"
           "$(function () {\r\n"
           "$(\".section-item\").slice(0, 2).show();\r\n"
           "$(\"#loadMore\").on('click', function (e) {\r\n"
           "e.preventDefault();\r\n"
           "$(\".section-item:hidden\").slice(0, 2).slideDown();\r\n"
           "if ($(\".section-item:hidden\").length == 0) {\r\n"
           "$(\"#load\").fadeOut('slow');\r\n"
           "}\r\n"
           "$('html,body').animate({\r\n"
           "scrollTop: $(this).offset().top\r\n"
           "}, 1500);\r\n"
           "});\r\n"
           "});\r\n" +
           std::string(kTopAndScroll);
}

std::string_view searchSubmitScript() {
    return "$('#submitSearch').on('submit',function(e){\r\n"
           "e.preventDefault();\r\n"
           "var keyword = $(\"#keyword\").val();\r\n"
           "var searchConcept = $(\"#search_concept\").text();\r\n"
           "app.searching(keyword,searchConcept);\r\n"
           "\r\n"
           "});";
}

} // namespace sumberlaras::pages
