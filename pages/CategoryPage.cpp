#include "pages/MarkupSanitizer.h"
#include "pages/PageBlocks.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

bool offeredInSelector(const Json& department) {
    const std::string name = text(department, "nama_departemen");
    return integer(department, "total_kategori") > 0 && name != "BUKU NON KOLEKSI" &&
           name != "RENCANA PENGADAAN";
}

std::string kategoriCall(const Json& category, const std::string& idDept) {
    return "app.kategoriKonten('" + jsArg(text(category, "id_kategori")) + "','1','" +
           jsArg(idDept) + "','" + jsArg(text(category, "nama_kategori")) + "')";
}

std::string subKategoriCall(const Json& sub, const std::string& idDept) {
    return "app.subKategoriKonten('" + jsArg(text(sub, "id_sub_kategori")) + "','1','" +
           jsArg(idDept) + "','" + jsArg(text(sub, "nama_sub_kategori")) + "')";
}

} // namespace

std::string categoryPage(const Json& departments) {
    PageText page;
    page << "<!DOCTYPE html>";
    page << "<html lang=\"en\">";
    page << "<head>";
    page << "<meta charset=\"utf-8\">";
    page << kCompatMeta;
    page << "<title>Kategori Buku</title>";
    page << "<link href=\"css/bootstrap.min.css\" rel=\"stylesheet\">";
    page << "<link href=\"css/select2.min.css\" rel=\"stylesheet\">";
    page << "<link href=\"css/style.css\" rel=\"stylesheet\">";
    page << "<style>";
    page << ".category-box{ padding: 20px; background-color: #fff; height: 340px; margin-bottom: "
            "15px; overflow-y: scroll; }";
    page << "</style>";
    page << "</head>";
    page << "<body>";
    page << "<div id=\"overlay\"></div>";
    page << "<div class=\"kategori-wrapper\">";
    page << "<div class=\"container\">";
    page << "<div class=\"row\">";
    page << "<ol class=\"breadcrumb\">";
    page << "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.back()\">Home</a></li>";
    page << "<li class=\"breadcrumb-item active\">Kategori</li>";
    page << "</ol>";
    page << "</div>";
    page << "<div class=\"row top-area\">";
    page << "<ul>";
    page << "<li><label>Jenis Konten</label></li>";
    page << "<li>";
    page << "<select class=\"select-category\" name=\"state\">";
    for (const auto& dept : departments) {
        if (offeredInSelector(dept))
            page << "<option value=\"" + attr(text(dept, "id_departemen")) + "\">" +
                        sanitizeMarkup(text(dept, "nama_departemen")) + "</option>";
    }
    page << "</select>";
    page << "</li>";
    page << "</ul>";
    page << "</div>";
    page << "<div class=\"row\" id=\"categoryContainer\">";
    if (!departments.empty()) {
        const Json& first = departments.front();
        const std::string idDept = text(first, "id_departemen");
        for (const auto& category : items(first, "data_kategori")) {
            page << "<div class=\"col-sm-3\">";
            page << "<div class=\"category-box\">";
            page << "<h3><a href=\"javascript:void(0);\" onClick=\"" +
                        kategoriCall(category, idDept) + ";\">" +
                        sanitizeMarkup(text(category, "nama_kategori")) + "</a></h3>";
            page << "<ul>";
            for (const auto& sub : items(category, "data_sub_kategori"))
                page << "<li><a href=\"javascript:void(0);\" onClick=\"" +
                            subKategoriCall(sub, idDept) + ";\">" +
                            html(text(sub, "nama_sub_kategori")) + "</a></li>";
            page << "</ul>";
            page << "</div>";
            page << "</div>";
        }
    }
    page << "</div>";
    page << "</div>";
    page << "</div>";
    writeLibraryIncludes(page, false, false);
    page << "<script src=\"js/select2.min.js\"></script>";
    page << "<script src=\"js/main.js\"></script>";
    page << "<script>\r\n"
            "$(document).ready(function() {\r\n"
            "$('.select-category').select2({ width: '100%' });\r\n"
            "});\r\n"
            "$(\".select-category\").change(function(){\r\n"
            "var id = $(\".select-category option:selected\").val();\r\n"
            "var text = $(\".select-category option:selected\").text();\r\n"
            "//var json = JSON.stringify({command:\"LOAD_DEPARTEMEN\",id:id,text:text});\r\n"
            "app.changeDept(id,text);\r\n"
            "});\r\n"
            "</script>\r\n"
            "</body>\r\n"
            "\r\n"
            "</html>";
    return page.str();
}

std::string departmentScript(const Json& departments, const std::string& idDept) {
    std::string boxes;
    for (const auto& dept : departments) {
        if (!dept.is_object() || !dept.contains("id_departemen") ||
            text(dept, "id_departemen") != idDept)
            continue;
        for (const auto& category : items(dept, "data_kategori")) {
            boxes = trim(boxes +
                         "<div class=\"col-sm-3\"><div class=\"category-box\"><h3><a "
                         "href=\"javascript:void(0);\" onClick=\"" +
                         kategoriCall(category, idDept) + "\">" +
                         html(text(category, "nama_kategori")) + "</a></h3><ul>");
            for (const auto& sub : items(category, "data_sub_kategori"))
                boxes = trim(boxes + "<li><a href=\"javascript:void(0);\" onClick=\"" +
                             subKategoriCall(sub, idDept) + "\">" +
                             html(text(sub, "nama_sub_kategori")) + "</a></li>");
            boxes = trim(boxes + "</ul>");
            boxes = trim(boxes + "</div>");
            boxes = trim(boxes + "</div>");
        }
        break;
    }
    return "$(\"#categoryContainer\").html('" + jsString(withoutCrLf(boxes)) + "');";
}

} // namespace sumberlaras::pages
