// The request operations: one fresh transfer each, answers as JSON objects.
#include "service/SawiraLib.h"

#include <filesystem>
#include <fstream>

#include "service/AppConstants.h"
#include "service/Envelope.h"

namespace sumberlaras {
namespace {

const char* const kFormType = "application/x-www-form-urlencoded";
const char* const kJsonType = "application/json; charset=utf-8";

void addUnlessEmpty(HeaderList& headers, const std::string& name, const std::string& value) {
    if (!value.empty())
        headers.emplace_back(name, value);
}

HttpRequest formPost(const std::string& url, const HeaderList& fields) {
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.body = formEncode(fields);
    request.contentType = kFormType;
    return request;
}

} // namespace

void TSawiraLib::setIdentity(UserIdentity identity) {
    auto fresh = std::make_shared<const UserIdentity>(std::move(identity));
    std::lock_guard lock(identityMutex_);
    identity_ = std::move(fresh);
}

std::shared_ptr<const UserIdentity> TSawiraLib::identity() const {
    std::lock_guard lock(identityMutex_);
    return identity_;
}

void TSawiraLib::setCustomParams(HttpRequest& request) const {
    setCustomParams(request, *identity());
}

void TSawiraLib::setCustomParams(HttpRequest& request, const UserIdentity& who) const {
    addUnlessEmpty(request.headers, "CLIENTID", clientId());
    addUnlessEmpty(request.headers, "OS", "WIN");
    addUnlessEmpty(request.headers, "UUID", DevUUID);
    addUnlessEmpty(request.headers, "KEY", who.FToken);
    addUnlessEmpty(request.headers, "USERID", who.FUserId);
    addUnlessEmpty(request.headers, "USERLEVEL", who.FUserLevel);
}

Json TSawiraLib::send(HttpRequest request, const std::string& failurePrefix,
                      bool* fromService) const {
    if (fromService)
        *fromService = false;
    try {
        return answerObject(performRequest(request, transport_), failurePrefix, fromService);
    } catch (const std::exception& e) {
        return failureEnvelope(failurePrefix, e.what());
    } catch (...) {
        return failureEnvelope(failurePrefix, "Unexpected failure");
    }
}

Json TSawiraLib::postForm(const std::string& path, const HeaderList& fields,
                          const std::string& failurePrefix, std::shared_ptr<const UserIdentity> who,
                          bool* fromService) const {
    HttpRequest request = formPost(baseUrl() + path, fields);
    setCustomParams(request, who ? *who : *identity());
    return send(std::move(request), failurePrefix, fromService);
}

Json TSawiraLib::get(const std::string& path, const std::string& failurePrefix) const {
    HttpRequest request;
    request.url = baseUrl() + path;
    setCustomParams(request);
    return send(std::move(request), failurePrefix);
}

Json TSawiraLib::postJson(const std::string& path, const std::string& text,
                          const std::string& failurePrefix, std::shared_ptr<const UserIdentity> who,
                          bool* fromService) const {
    HttpRequest request;
    request.method = "POST";
    request.url = baseUrl() + path;
    request.body = text;
    request.contentType = kJsonType;
    setCustomParams(request, who ? *who : *identity());
    return send(std::move(request), failurePrefix, fromService);
}

Json TSawiraLib::checkAppVersionRequest() {
    HttpRequest request = formPost(baseUrl() + "/api/wl/checkAppVersion",
                                   {{"kode", appCode()}, {"os", "WIN"}, {"versi", appVersion()}});
    request.readTimeout = options_.versionReadTimeout;
    return send(std::move(request), "#301 ");
}

Json TSawiraLib::LoginRequest(const std::string& Username, const std::string& Password) {
    HttpRequest request = formPost(baseUrl() + "/api/wl/executeLogin",
                                   {{"user", Username}, {"pass", Password}, {"uuid", DevUUID}});
    addUnlessEmpty(request.headers, "OS", "WIN");
    addUnlessEmpty(request.headers, "CLIENTID", clientId());
    addUnlessEmpty(request.headers, "UUID", DevUUID);
    return send(std::move(request), " #387 ");
}

Json TSawiraLib::BannerRequest() {
    return get("/api/wl/listBanner", "#410 ");
}

Json TSawiraLib::CategoryRequest() {
    return get("/api/wl/menu", "#431 ");
}

Json TSawiraLib::HomeRequest(int32_t Page) {
    return postForm("/api/wl/listHomepage", {{"page", std::to_string(Page)}, {"limit", "10"}},
                    "#457 ");
}

Json TSawiraLib::HomeDetailRequest(const std::string& id_homepage) {
    return postForm("/api/wl/listHomepageDetail", {{"id_homepage", id_homepage}, {"page", "1"}},
                    "#484 ");
}

Json TSawiraLib::CategoryContentRequest(const std::string& id_dept,
                                        const std::string& id_kategori) {
    return postForm("/api/wl/listContentCategory",
                    {{"id_dept", id_dept}, {"id_kategori", id_kategori}}, "#512 ");
}

Json TSawiraLib::SubCategoryContentRequest(const std::string& id_dept,
                                           const std::string& id_sub_kategori) {
    return postForm("/api/wl/listContentSubCategory",
                    {{"id_dept", id_dept}, {"id_sub_kategori", id_sub_kategori}}, "#540 ");
}

Json TSawiraLib::ChartContentRequest(const std::string& chartType, int32_t page) {
    std::string path;
    if (chartType == "topRead")
        path = "/api/wl/listTopRead";
    else if (chartType == "lastRead")
        path = "/api/wl/listLastRead";
    else if (chartType == "lastView")
        path = "/api/wl/listLastView";
    else
        return failureEnvelope("#527 ", "Unknown chart kind \"" + chartType + "\"");
    return postForm(path, {{"page", std::to_string(page)}}, "#527 ");
}

Json TSawiraLib::DetailContentRequest(const std::string& id_konten) {
    return postForm("/api/wl/detailKonten", {{"id_konten", id_konten}}, "");
}

Json TSawiraLib::SearchContentRequest(const std::string& field, const std::string& keyword,
                                      int32_t page) {
    return postForm("/api/wl/searching",
                    {{"page", std::to_string(page)}, {"keyword", keyword}, {"field", field}}, "");
}

Json TSawiraLib::SearchKalimatRequest(const std::string& keyword, int32_t page) {
    return postForm("/api/wl/searchingKalimat",
                    {{"page", std::to_string(page)}, {"keyword", keyword}}, "");
}

Json TSawiraLib::ReadPermissionRequest(const std::string& id_konten) {
    return postForm("/api/wl/requestBaca", {{"id_konten", id_konten}}, "");
}

Json TSawiraLib::BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                                   const std::string& page_index) {
    return postForm("/api/wl/bookReturn",
                    {{"id_konten", id_konten}, {"id_baca", id_baca}, {"page_index", page_index}},
                    "");
}

Json TSawiraLib::SaveAnnotationRequest(const std::string& JSONString) {
    return postJson("/api/wl/saveAnotasi", JSONString, "");
}

Json TSawiraLib::SaveCopyText(const std::string& JSonString) {
    return postJson("/api/wl/copyText", JSonString, "");
}

Json TSawiraLib::BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                                   const std::string& page_index,
                                   std::shared_ptr<const UserIdentity> who, bool& fromService) {
    return postForm("/api/wl/bookReturn",
                    {{"id_konten", id_konten}, {"id_baca", id_baca}, {"page_index", page_index}},
                    "", std::move(who), &fromService);
}

Json TSawiraLib::SaveAnnotationRequest(const std::string& JSONString,
                                       std::shared_ptr<const UserIdentity> who, bool& fromService) {
    return postJson("/api/wl/saveAnotasi", JSONString, "", std::move(who), &fromService);
}

Json TSawiraLib::SaveCopyText(const std::string& JSonString,
                              std::shared_ptr<const UserIdentity> who, bool& fromService) {
    return postJson("/api/wl/copyText", JSonString, "", std::move(who), &fromService);
}

Json TSawiraLib::ForgotPasswordRequest(const std::string& Username) {
    HttpRequest request = formPost(baseUrl() + "/api/wl/forgotPassword", {{"username", Username}});
    addUnlessEmpty(request.headers, "CLIENTID", clientId());
    addUnlessEmpty(request.headers, "OS", "WIN");
    addUnlessEmpty(request.headers, "UUID", DevUUID);
    return send(std::move(request), "");
}

Json TSawiraLib::UpdateReadStatusRequest(const std::string& id_baca, const std::string& status) {
    return postForm("/api/wl/updateReadStatus", {{"id_baca", id_baca}, {"status", status}}, "");
}

Json TSawiraLib::Logoutrequest() {
    // The body and the headers name the same member, also when a sign-in happens meanwhile.
    auto who = identity();
    return postForm("/api/wl/executeLogout", {{"id_user", who->FUserId}}, "", who);
}

Json TSawiraLib::DownloadAnnotationRequest(const std::string& file_anotasi) {
    try {
        if (file_anotasi.empty() || file_anotasi == "0")
            return failureEnvelope("", "There is no stored annotation document");
        if (FPath.empty())
            return failureEnvelope("", "There is no data folder to keep the annotation document");
        HttpRequest request;
        // A bare path is taken as one under the service base address.
        request.url = file_anotasi.front() == '/' ? baseUrl() + file_anotasi : file_anotasi;
        setCustomParams(request);
        const HttpResponse response = performRequest(request, transport_);
        if (!response.ok)
            return failureEnvelope("", response.error);

        // Written beside and renamed, so a failed write never leaves half a document.
        const std::string target = dataFile("tempAnnot.json");
        const std::string partial = target + ".part";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out.write(response.body.data(), static_cast<std::streamsize>(response.body.size()));
            out.close();
            if (!out) {
                std::error_code ec;
                std::filesystem::remove(partial, ec);
                return failureEnvelope("", "Cannot write " + target);
            }
        }
        std::filesystem::rename(partial, target);
        Json answer = Json::object();
        answer["code"] = "200";
        answer["msg"] = "";
        answer["path"] = target;
        return answer;
    } catch (const std::exception& e) {
        return failureEnvelope("", e.what());
    }
}

} // namespace sumberlaras
