#include "standin/Service.h"

namespace standin {

void Service::installFiles() {
    get("/prod/img/(cover|banner|logo)/([^/]+)", Access::Open,
        [this](const Call& call, httplib::Response& response) {
            const auto image = media_.image(call.request.matches[1], call.request.matches[2]);
            if (!image) {
                throw BadRequest{404, "Gambar tidak ditemukan"};
            }
            response.status = 200;
            response.set_content(*image, "image/png");
        });

    get("/pc/swr/([^/]+)", Access::Open, [this](const Call& call, httplib::Response& response) {
        const auto document = media_.document(call.request.matches[1]);
        if (!document) {
            throw BadRequest{404, "Dokumen buku tidak ditemukan"};
        }
        response.status = 200;
        response.set_content(*document, "application/pdf");
    });
}

} // namespace standin
