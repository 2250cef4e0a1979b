#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "base/Dialogs.h"
#include "base/JsonSlot.h"
#include "service/HttpTransport.h"

namespace sumberlaras {

// What the production client takes from the platform, replaceable in tests.
struct SawiraLibOptions {
    std::string dataRoot;                            // parent of FPath; empty: the platform's
    std::function<std::string_view()> viewerArchive; // empty: the embedded "viewerzip"
    std::optional<TransportConfig> transport;        // empty: TransportConfig::fromEnvironment()
    std::optional<std::string> deviceId;             // empty: read from the system volume
    std::chrono::milliseconds versionReadTimeout{30000};
    uint64_t maxUnpackedBytes = 256ull << 20;
};

// The signed-in member as the login answer gave it; empty before login.
struct UserIdentity {
    std::string FUserId;
    std::string FUsername;
    std::string FToken;
    std::string FName;
    std::string FLastDate;
    std::string FProfilePict;
    std::string FUserLevel;
};

// The one object that talks to the lending service: data folder, device id,
// the signed-in identity and the answer slots. Request operations never throw
// and always return a JSON object (a failure envelope when anything went wrong).
class TSawiraLib {
public:
    // Computes DevUUID and rebuilds the data folder; failures go to `dialogs`.
    explicit TSawiraLib(Dialogs& dialogs);
    TSawiraLib(Dialogs& dialogs, SawiraLibOptions options);
    ~TSawiraLib(); // deletes the data folder, releases every slot
    TSawiraLib(const TSawiraLib&) = delete;
    TSawiraLib& operator=(const TSawiraLib&) = delete;

    // Start-up and shut-down.
    void checkDataFolder();
    Json getClientJson();
    // Unpacks FileName below BaseDir, then deletes FileName (also on failure); throws on failure.
    void unzipViewerFile(const std::string& BaseDir, const std::string& FileName);
    // Deletes the data folder and only that; false (with the reason) for anything else.
    bool DeleteDirectory(const std::string& DirName, std::string* why = nullptr);
    // Adds the standard headers (CLIENTID, OS, UUID, KEY, USERID, USERLEVEL), skipping empty ones,
    // from the identity as it is now, or as a request took it at its start.
    void setCustomParams(HttpRequest& request) const;
    void setCustomParams(HttpRequest& request, const UserIdentity& who) const;

    // The signed-in member. Written on the main thread while older requests may
    // still run: a request takes one snapshot at its start and uses only that.
    void setIdentity(UserIdentity identity);
    std::shared_ptr<const UserIdentity> identity() const;

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
    // The requests of a return as its outbox sends them: with the session of
    // `who` only, and `fromService` set when the answer is the service's own.
    Json BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                           const std::string& page_index, std::shared_ptr<const UserIdentity> who,
                           bool& fromService);
    Json SaveAnnotationRequest(const std::string& JSONString,
                               std::shared_ptr<const UserIdentity> who, bool& fromService);
    Json SaveCopyText(const std::string& JSonString, std::shared_ptr<const UserIdentity> who,
                      bool& fromService);
    Json ForgotPasswordRequest(const std::string& Username);
    Json UpdateReadStatusRequest(const std::string& id_baca, const std::string& status);
    Json Logoutrequest();
    // GET of a read permission's "file_anotasi" with the standard headers into
    // FPath + "/tempAnnot.json". {"code":"200","path":...} or a failure envelope.
    Json DownloadAnnotationRequest(const std::string& file_anotasi);

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

    // Service base address (scheme and host, no trailing "/").
    const std::string& baseUrl() const;
    // Where requests go; tests may watch the bytes sent.
    TransportConfig& transport() { return transport_; }
    // Ends every running request of this client soon, and every later one at once;
    // for closing, when no answer is awaited any more.
    void cancelRequests() { transport_.cancel->store(true); }
    // FPath + "/" + name.
    std::string dataFile(const std::string& name) const;

private:
    Json send(HttpRequest request, const std::string& failurePrefix,
              bool* fromService = nullptr) const;
    // `who`: the snapshot the request's own fields came from; null takes one now.
    Json postForm(const std::string& path, const HeaderList& fields,
                  const std::string& failurePrefix,
                  std::shared_ptr<const UserIdentity> who = nullptr,
                  bool* fromService = nullptr) const;
    Json get(const std::string& path, const std::string& failurePrefix) const;
    Json postJson(const std::string& path, const std::string& text,
                  const std::string& failurePrefix,
                  std::shared_ptr<const UserIdentity> who = nullptr,
                  bool* fromService = nullptr) const;
    void releaseSlots();

    Dialogs& dialogs_;
    SawiraLibOptions options_;
    TransportConfig transport_;
    mutable std::mutex identityMutex_; // guards only the pointer swap
    std::shared_ptr<const UserIdentity> identity_ = std::make_shared<const UserIdentity>();
};

} // namespace sumberlaras
