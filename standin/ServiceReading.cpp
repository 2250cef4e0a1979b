#include "standin/Service.h"

namespace standin {
namespace {

// The annotation and copied-text documents: an object with the book's
// "id_konten" (text or number) and a "data" array.
std::string documentBook(const std::string& body) {
    Json document = Json::parse(body, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        throw BadRequest{400, "Dokumen harus berupa objek JSON"};
    }
    const Json& id = document.contains("id_konten") ? document["id_konten"] : Json();
    std::string idKonten;
    if (id.is_string()) {
        idKonten = id.get<std::string>();
    } else if (id.is_number_unsigned()) {
        idKonten = std::to_string(id.get<uint64_t>());
    }
    if (!isIdentifier(idKonten)) {
        throw BadRequest{400, "id_konten tidak valid"};
    }
    if (!document.contains("data") || !document["data"].is_array()) {
        throw BadRequest{400, "data harus berupa array"};
    }
    return idKonten;
}

} // namespace

void Service::installReading() {
    post("/api/wl/requestBaca", Access::Member, json([this](const Call& call) {
             const std::string idKonten = call.identifier("id_konten");
             const LoanGrant grant = store_.requestLoan(call.userId, idKonten);
             const std::string annotation =
                 grant.hasAnnotation ? config_.baseUrl + "/api/wl/fileAnotasi/" + idKonten : "0";
             return Json{{"code", "200"},
                         {"msg", "Selamat membaca"},
                         {"id_baca", grant.idBaca},
                         {"page_index", grant.pageIndex},
                         {"file_anotasi", annotation},
                         {"rate", grant.rate}};
         }));

    post("/api/wl/bookReturn", Access::Member, json([this](const Call& call) {
             const std::string idKonten = call.identifier("id_konten");
             const std::string idBaca = call.identifier("id_baca");
             store_.returnBook(call.userId, idBaca, idKonten, call.integer("page_index"));
             return envelope("200", "Buku berhasil dikembalikan");
         }));

    post("/api/wl/updateReadStatus", Access::Member, json([this](const Call& call) {
             const std::string idBaca = call.identifier("id_baca");
             const int status = call.integer("status");
             if (status != 0 && status != 1) {
                 throw BadRequest{400, "status harus 0 atau 1"};
             }
             store_.updateReadStatus(call.userId, idBaca, status);
             return envelope("200", "Status baca disimpan");
         }));

    post("/api/wl/saveAnotasi", Access::Member, json([this](const Call& call) {
             const std::string idKonten = documentBook(call.request.body);
             store_.saveAnnotation(call.userId, idKonten, call.request.body);
             return envelope("200", "Anotasi berhasil disimpan");
         }));

    post("/api/wl/copyText", Access::Member, json([this](const Call& call) {
             const std::string idKonten = documentBook(call.request.body);
             store_.saveCopyText(call.userId, idKonten, call.request.body);
             return envelope("200", "Teks salinan disimpan");
         }));

    // The stored annotation document, only for the member who saved it.
    get("/api/wl/fileAnotasi/(\\d{1,9})", Access::Member,
        [this](const Call& call, httplib::Response& response) {
            const auto document = store_.annotation(call.userId, call.request.matches[1]);
            if (!document) {
                throw BadRequest{404, "Anotasi tidak ditemukan"};
            }
            response.status = 200;
            response.set_content(*document, "application/json; charset=utf-8");
        });
}

} // namespace standin
