#pragma once

#include <cstdint>
#include <string>

#include "Dialogs.h"
#include "JsonSlot.h"

namespace sumberlaras {

// The one object that talks to the lending service: data folder, device id,
// the signed-in identity and the answer slots. Request operations never throw
// and always return a JSON object (a failure envelope when anything went wrong).
class TSawiraLib {
public:
    // Computes DevUUID and rebuilds the data folder; failures go to `dialogs`.
    explicit TSawiraLib(Dialogs& dialogs);
    ~TSawiraLib(); // deletes the data folder, releases every slot
    TSawiraLib(const TSawiraLib&) = delete;
    TSawiraLib& operator=(const TSawiraLib&) = delete;

    // Start-up and shut-down.
    void checkDataFolder();
    Json getClientJson();

    // Version check and partner configuration.
    Json checkAppVersionRequest();

    // Catalogue, loan and account requests; each returns an object the caller owns.
    Json LoginRequest(const std::string& Username, const std::string& Password);
    Json BannerRequest();
    Json CategoryRequest();
    Json HomeRequest(int32_t Page);
    Json HomeDetailRequest(const std::string& id_homepage);
    Json CategoryContentRequest(const std::string& id_dept, const std::string& id_kategori);
    Json SubCategoryContentRequest(const std::string& id_dept, const std::string& id_sub_kategori);
    Json ChartContentRequest(const std::string& chartType, int32_t page);
    Json DetailContentRequest(const std::string& id_konten);
    Json SearchContentRequest(const std::string& field, const std::string& keyword, int32_t page);
    Json SearchKalimatRequest(const std::string& keyword, int32_t page);
    Json ReadPermissionRequest(const std::string& id_konten);
    Json BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                           const std::string& page_index);
    Json SaveAnnotationRequest(const std::string& JSONString);
    Json SaveCopyText(const std::string& JSonString);
    Json ForgotPasswordRequest(const std::string& Username);
    Json UpdateReadStatusRequest(const std::string& id_baca, const std::string& status);
    Json Logoutrequest();

    // Fields, in the declared order of the service client.
    std::string FPath;
    JsonSlot FUserJson;
    JsonSlot FClientJson;
    JsonSlot FBannerJson;
    JsonSlot FCategoryJson;
    JsonSlot FCategoryContentJson;
    JsonSlot FSubCategoryContentJson;
    JsonSlot FChartContentJson;
    JsonSlot FHomeContentJson;
    JsonSlot FHomeDetailJson;
    JsonSlot FDetailContentJson;
    JsonSlot FSearchContentJson;
    JsonSlot FReadPermissionJson;
    std::string DevUUID;
    std::string FUserId;
    std::string FUsername;
    std::string FToken;
    std::string FName;
    std::string FLastDate;
    std::string FProfilePict;
    std::string FUserLevel;

    // Service base address (scheme and host, no trailing "/").
    const std::string& baseUrl() const;

private:
    Dialogs& dialogs_;
};

} // namespace sumberlaras
