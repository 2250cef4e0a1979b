#include "standin/Service.h"

namespace standin {

void Service::installSession() {
    get("/api/wl/mitra", Access::Client, json([this](const Call& call) {
            return Json{{"code", "200"},
                        {"msg", "OK"},
                        {"data", store_.partner(call.header("CLIENTID"), config_.baseUrl)}};
        }));

    post("/api/wl/checkAppVersion", Access::Open, json([this](const Call& call) {
             const std::string kode = call.required("kode");
             call.required("os");
             call.required("versi");
             if (kode != "QWZ5093pmr") {
                 return envelope("403", "Aplikasi tidak dikenal");
             }
             return control_.versionVerdict();
         }));

    post("/api/wl/executeLogin", Access::Client, json([this](const Call& call) {
             const std::string user = call.required("user"), pass = call.required("pass");
             const std::string uuid = call.required("uuid");
             if (uuid.empty()) {
                 throw BadRequest{400, "Perangkat tidak dikenal"};
             }
             auto data = store_.login(user, pass, uuid);
             if (!data) {
                 throw Refusal{"401", "E-mail atau kata sandi yang anda masukkan salah"};
             }
             return Json{{"code", "200"}, {"msg", "Login berhasil"}, {"data", std::move(*data)}};
         }));

    post("/api/wl/executeLogout", Access::Member, json([this](const Call& call) {
             if (call.required("id_user") != call.userId) {
                 throw BadRequest{400, "id_user tidak sesuai dengan sesi"};
             }
             store_.logout(call.userId);
             return envelope("200", "Logout berhasil");
         }));

    post("/api/wl/forgotPassword", Access::Client, json([this](const Call& call) {
             const std::string username = call.required("username");
             if (!isWellFormedEmail(username)) {
                 throw Refusal{"400", "Format E-mail salah"};
             }
             store_.passwordReset(username);
             return envelope("200", "Tautan untuk mengatur ulang kata sandi telah dikirim ke "
                                    "e-mail anda");
         }));
}

} // namespace standin
