#include "pages/CssColour.h"
#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

std::string loginPage(const Json& partner, const std::string& base) {
    PageText page;
    page << "<!doctype html><html class=\"no-js\" lang=\"en\"><head><meta charset=\"utf-8\">";
    page << kCompatMeta;
    page << "<title>Please Login</title><link href=\"css/bootstrap.min.css\" rel=\"stylesheet\">";
    page << "<link href=\"css/style.css\" rel=\"stylesheet\">";
    page << "<style>.btn-style {color: #ffffff; background-color: " +
                cssColour(text(partner, "warna_button_login")) + ";}";
    page << ".btn-style:hover {color: #ffffff;background-color: " +
                cssColour(text(partner, "warna_hover_button_login")) + ";}";
    page << "a {color: " + cssColour(text(partner, "warna_button_login")) + "}";
    page << "</style></head><body><div class=\"container\"><div class=\"row\"><div "
            "class=\"col-md-4 col-xs-12 col-sm-4 col-md-offset-4 login-register-wrapper\">";
    page << "<img src=\"" + base + "/prod/img/logo/" + attr(text(partner, "logo_login")) +
                "\" alt=\"logo\" class=\"img-responsive center-block\">";
    page << "<h2 class=\"text-center\">" + sanitizeMarkup(text(partner, "nama")) +
                "</h2><p class=\"text-center mb30\">Belum punya akun? Daftar <a "
                "href=\"javascript:void(0);\" onClick=\"app.registerPage()\">di sini</a></p>";
    page << "<form id=\"login_form\"><div class=\"form-group\"><label "
            "for=\"email\">Email</label>\r\n"
            "<input type=\"email\" name=\"email\" class=\"form-control\" id=\"email\" "
            "placeholder=\"Email\"></div><div class=\"form-group\">\r\n"
            "<label for=\"kata_sandi\">Kata Sandi</label><input type=\"password\" "
            "name=\"kata_sandi\" class=\"form-control\" id=\"kata_sandi\" placeholder=\"Kata "
            "Sandi\">\r\n"
            "</div><a href=\"javascript:void(0);\" class=\"forgot-password pull-right mb15\" "
            "onClick=\"app.forgotPass()\">Lupa kata sandi?</a>";
    page << "<button class=\"btn btn-style btn-block mt10 mb30\" type=\"submit\">Login</button>\r\n"
            "</form>\r\n"
            "</div>\r\n"
            "</div>\r\n"
            "</div>\r\n"
            "<script src=\"js/jquery.js\"></script>\r\n"
            "<script src=\"js/bootstrap.min.js\"></script>\r\n"
            "<script>\r\n"
            "$('#login_form').on('submit',function(e){\r\n"
            "e.preventDefault();\r\n"
            "login();\r\n"
            "});\r\n"
            "\r\n"
            "function login(){\r\n"
            "var email = document.getElementsByName(\"email\")[0].value;\r\n"
            "var pass = document.getElementsByName(\"kata_sandi\")[0].value;\r\n"
            "app.executeLogin(email,pass)\r\n"
            "}\r\n"
            "</script>\r\n"
            "</body>\r\n"
            "</html>";
    return page.str();
}

} // namespace sumberlaras::pages
