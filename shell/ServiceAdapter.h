#pragma once

#include "bridge/CatalogueSeams.h"
#include "reader/session/LoanService.h"
#include "service/SawiraLib.h"

namespace sumberlaras {

// The catalogue's and the reader's view of TSawiraLib; logs each request
// (method, path, answer code, duration) through sumberlaras.net, never bodies
// or headers.
class ServiceAdapter final : public bridge::CatalogueService, public reader::LoanService {
public:
    explicit ServiceAdapter(TSawiraLib& lib);

    std::string dataFolder() const override { return lib_.FPath; }
    std::string baseUrl() const override { return lib_.baseUrl(); }
    JsonSlot& slot(bridge::Slot s) override;
    void setIdentity(const Json& data) override;

    Json LoginRequest(const std::string& username, const std::string& password) override;
    Json BannerRequest() override;
    Json CategoryRequest() override;
    Json HomeRequest(int32_t page) override;
    Json HomeDetailRequest(const std::string& id_homepage) override;
    Json CategoryContentRequest(const std::string& id_dept,
                                const std::string& id_kategori) override;
    Json SubCategoryContentRequest(const std::string& id_dept,
                                   const std::string& id_sub_kategori) override;
    Json ChartContentRequest(const std::string& type, int32_t page) override;
    Json DetailContentRequest(const std::string& id_konten) override;
    Json SearchContentRequest(const std::string& field, const std::string& keyword,
                              int32_t page) override;
    Json SearchKalimatRequest(const std::string& keyword, int32_t page) override;
    Json Logoutrequest() override;

    // LoanService
    JsonSlot& readPermissionSlot() override { return lib_.FReadPermissionJson; }
    Json ReadPermissionRequest(const std::string& id_konten) override;
    Json DownloadAnnotationRequest(const std::string& file_anotasi) override;
    Json UpdateReadStatusRequest(const std::string& id_baca, const std::string& status) override;
    Json BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                           const std::string& page_index) override;
    Json SaveAnnotationRequest(const std::string& JSONString) override;
    Json SaveCopyText(const std::string& JSonString) override;
    EntryAnswer SendOutboxEntry(const reader::OutboxEntry& entry) override;
    std::string memberId() const override;

    // Installs the request-line watcher on the client's transport.
    static void watchRequests(TSawiraLib& lib);
    // Runs one request and logs it.
    template <class Fn> static Json logged(Fn&& fn);

private:
    TSawiraLib& lib_;
};

} // namespace sumberlaras
