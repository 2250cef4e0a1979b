#include "standin/Service.h"

#include <filesystem>

namespace standin {
namespace {

UploadedFile uploaded(const httplib::Request& request, const char* name) {
    if (!request.has_file(name)) {
        throw BadRequest{400, std::string("Berkas ") + name + " wajib dikirim"};
    }
    const auto part = request.get_file_value(name);
    if (part.content.empty()) {
        throw Refusal{"400", "Foto harus berupa berkas JPG atau PNG"};
    }
    return UploadedFile{part.filename, part.content_type, part.content};
}

} // namespace

void Service::installAccount() {
    get("/api/generic/provinsi", Access::Open, json([this](const Call&) {
            return Json{{"code", "200"}, {"msg", "OK"}, {"data", store_.regions("provinsi", "")}};
        }));
    for (const char* level : {"kota", "kecamatan", "kelurahan"}) {
        get(std::string("/api/generic/") + level + "/([0-9A-Za-z]{1,20})", Access::Open,
            json([this, level = std::string(level)](const Call& call) {
                return Json{{"code", "200"},
                            {"msg", "OK"},
                            {"data", store_.regions(level, call.request.matches[1])}};
            }));
    }

    post("/api/wl/executeRegistration", Access::Client, json([this](const Call& call) {
             const httplib::Request& request = call.request;
             if (!request.has_file("data")) {
                 throw BadRequest{400, "Bagian data wajib dikirim"};
             }
             Json record = Json::parse(request.get_file_value("data").content, nullptr, false);
             if (record.is_discarded() || !record.is_object()) {
                 throw BadRequest{400, "Data registrasi harus berupa objek JSON"};
             }
             store_.registerMember(record, uploaded(request, "foto_identitas"),
                                   uploaded(request, "photo"),
                                   (std::filesystem::path(config_.stateDir) / "uploads").string());
             return envelope("200", "Pendaftaran berhasil. Silakan cek e-mail anda untuk "
                                    "verifikasi akun.");
         }));
}

} // namespace standin
