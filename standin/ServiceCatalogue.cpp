#include "standin/Service.h"

namespace standin {
namespace {

Json listAnswer(Json data) {
    return Json{{"code", "200"}, {"msg", "OK"}, {"data", std::move(data)}};
}

} // namespace

void Service::installCatalogue() {
    get("/api/wl/listBanner", Access::Member,
        json([this](const Call&) { return listAnswer(store_.banners()); }));

    get("/api/wl/menu", Access::Member, json([this](const Call&) {
            return Json{{"code", "200"}, {"msg", "OK"}, {"data_departemen", store_.departments()}};
        }));

    post("/api/wl/listHomepage", Access::Member, json([this](const Call& call) {
             const int page = call.integer("page");
             const int limit = call.integer("limit");
             if (page < 1 || limit < 1 || limit > 100) {
                 throw BadRequest{400, "page dan limit harus lebih dari 0"};
             }
             int count = 0;
             Json sections = store_.homeSections(page, limit, count);
             const int total = static_cast<int>(sections.size());
             return Json{{"code", "200"},
                         {"msg", "OK"},
                         {"count", count},
                         {"total", total},
                         {"data", std::move(sections)}};
         }));

    post("/api/wl/listHomepageDetail", Access::Member, json([this](const Call& call) {
             const std::string id = call.identifier("id_homepage");
             const int page = call.has("page") ? call.integer("page") : 1;
             return listAnswer(store_.sectionBooks(id, page));
         }));

    post("/api/wl/listContentCategory", Access::Member, json([this](const Call& call) {
             return listAnswer(
                 store_.categoryBooks(call.required("id_dept"), call.required("id_kategori")));
         }));

    post("/api/wl/listContentSubCategory", Access::Member, json([this](const Call& call) {
             return listAnswer(store_.subCategoryBooks(call.required("id_dept"),
                                                       call.required("id_sub_kategori")));
         }));

    for (const auto& [path, kind] : {std::pair{"/api/wl/listTopRead", "topRead"},
                                     {"/api/wl/listLastRead", "lastRead"},
                                     {"/api/wl/listLastView", "lastView"}}) {
        post(path, Access::Member, json([this, kind = std::string(kind)](const Call& call) {
                 const int page = call.integer("page");
                 if (page < 1) {
                     throw BadRequest{400, "page harus lebih dari 0"};
                 }
                 Json rows = store_.chart(kind, call.userId, page);
                 const int total = static_cast<int>(rows.size());
                 return Json{
                     {"code", "200"}, {"msg", "OK"}, {"total", total}, {"data", std::move(rows)}};
             }));
    }

    post("/api/wl/detailKonten", Access::Member, json([this](const Call& call) {
             return listAnswer(
                 store_.detail(call.identifier("id_konten"), call.userId, config_.baseUrl));
         }));

    post("/api/wl/searching", Access::Member, json([this](const Call& call) {
             const int page = call.integer("page");
             const std::string keyword = call.required("keyword");
             const std::string field = call.required("field");
             if (page < 1) {
                 throw BadRequest{400, "page harus lebih dari 0"};
             }
             int totalRows = 0;
             Json rows = store_.search(field, keyword, page, totalRows);
             return Json{{"code", "200"},
                         {"msg", "OK"},
                         {"total_rows", totalRows},
                         {"data", std::move(rows)}};
         }));

    post("/api/wl/searchingKalimat", Access::Member, json([this](const Call& call) {
             const int page = call.integer("page");
             const std::string keyword = call.required("keyword");
             if (page < 1) {
                 throw BadRequest{400, "page harus lebih dari 0"};
             }
             int totalRows = 0;
             Json hits = store_.searchSentence(keyword, page, totalRows);
             return Json{{"code", "200"},
                         {"msg", "OK"},
                         {"total_rows", totalRows},
                         {"data", std::move(hits)}};
         }));
}

} // namespace standin
