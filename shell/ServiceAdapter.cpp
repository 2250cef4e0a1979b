#include "shell/ServiceAdapter.h"

#include <chrono>

#include "base/LogCategories.h"
#include "service/Envelope.h"

namespace sumberlaras {

namespace {

// The request line of the request this thread is sending.
thread_local std::string currentRequestLine;
thread_local long currentStatus = 0;

std::string requestLine(const std::string& headers) {
    const auto end = headers.find("\r\n");
    std::string line = headers.substr(0, end);
    // "METHOD /path?query HTTP/1.1": keep method and path only.
    const auto space = line.find(' ');
    if (space == std::string::npos)
        return {};
    const auto pathEnd = line.find_first_of(" ?", space + 1);
    return line.substr(0, pathEnd);
}

std::string codeOf(const Json& j) {
    if (!j.is_object() || !j.contains("code"))
        return "-";
    const Json& c = j["code"];
    return c.is_string() ? c.get<std::string>() : c.dump();
}

} // namespace

ServiceAdapter::ServiceAdapter(TSawiraLib& lib) : lib_(lib) {}

void ServiceAdapter::watchRequests(TSawiraLib& lib) {
    lib.transport().onSentHeaders = [](const std::string& headers) {
        const std::string line = requestLine(headers);
        if (!line.empty())
            currentRequestLine = line;
    };
    lib.transport().onAnswerStatus = [](long status) { currentStatus = status; };
}

template <class Fn> Json ServiceAdapter::logged(Fn&& fn) {
    currentRequestLine.clear();
    currentStatus = 0;
    const auto start = std::chrono::steady_clock::now();
    Json answer = fn();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    // The HTTP status, then the answer's own "code", which is what the program acts on.
    qCInfo(lcNet, "%s status %ld code %s %lld ms",
           currentRequestLine.empty() ? "(no request sent)" : currentRequestLine.c_str(),
           currentStatus, codeOf(answer).c_str(), static_cast<long long>(ms));
    return answer;
}

JsonSlot& ServiceAdapter::slot(bridge::Slot s) {
    using bridge::Slot;
    switch (s) {
    case Slot::User:
        return lib_.FUserJson;
    case Slot::Banner:
        return lib_.FBannerJson;
    case Slot::Category:
        return lib_.FCategoryJson;
    case Slot::HomeContent:
        return lib_.FHomeContentJson;
    case Slot::HomeDetail:
        return lib_.FHomeDetailJson;
    case Slot::CategoryContent:
        return lib_.FCategoryContentJson;
    case Slot::SubCategoryContent:
        return lib_.FSubCategoryContentJson;
    case Slot::ChartContent:
        return lib_.FChartContentJson;
    case Slot::DetailContent:
        return lib_.FDetailContentJson;
    case Slot::SearchContent:
        return lib_.FSearchContentJson;
    }
    return lib_.FUserJson;
}

void ServiceAdapter::setIdentity(const Json& data) {
    UserIdentity who;
    who.FName = readText(data, "nama");
    who.FUsername = readText(data, "username");
    who.FUserLevel = readText(data, "level");
    who.FLastDate = readText(data, "tgl_berakhir");
    who.FToken = readText(data, "token");
    who.FProfilePict = readText(data, "photo");
    who.FUserId = readText(data, "id_user");
    lib_.setIdentity(std::move(who)); // one swap: a running request keeps the old one whole
}

Json ServiceAdapter::LoginRequest(const std::string& u, const std::string& p) {
    return logged([&] { return lib_.LoginRequest(u, p); });
}
Json ServiceAdapter::BannerRequest() {
    return logged([&] { return lib_.BannerRequest(); });
}
Json ServiceAdapter::CategoryRequest() {
    return logged([&] { return lib_.CategoryRequest(); });
}
Json ServiceAdapter::HomeRequest(int32_t page) {
    return logged([&] { return lib_.HomeRequest(page); });
}
Json ServiceAdapter::HomeDetailRequest(const std::string& id) {
    return logged([&] { return lib_.HomeDetailRequest(id); });
}
Json ServiceAdapter::CategoryContentRequest(const std::string& d, const std::string& k) {
    return logged([&] { return lib_.CategoryContentRequest(d, k); });
}
Json ServiceAdapter::SubCategoryContentRequest(const std::string& d, const std::string& k) {
    return logged([&] { return lib_.SubCategoryContentRequest(d, k); });
}
Json ServiceAdapter::ChartContentRequest(const std::string& t, int32_t p) {
    return logged([&] { return lib_.ChartContentRequest(t, p); });
}
Json ServiceAdapter::DetailContentRequest(const std::string& id) {
    return logged([&] { return lib_.DetailContentRequest(id); });
}
Json ServiceAdapter::SearchContentRequest(const std::string& f, const std::string& k, int32_t p) {
    return logged([&] { return lib_.SearchContentRequest(f, k, p); });
}
Json ServiceAdapter::SearchKalimatRequest(const std::string& k, int32_t p) {
    return logged([&] { return lib_.SearchKalimatRequest(k, p); });
}
Json ServiceAdapter::Logoutrequest() {
    return logged([&] { return lib_.Logoutrequest(); });
}

Json ServiceAdapter::ReadPermissionRequest(const std::string& id_konten) {
    return logged([&] { return lib_.ReadPermissionRequest(id_konten); });
}
Json ServiceAdapter::DownloadAnnotationRequest(const std::string& file_anotasi) {
    return logged([&] { return lib_.DownloadAnnotationRequest(file_anotasi); });
}
Json ServiceAdapter::UpdateReadStatusRequest(const std::string& id_baca,
                                             const std::string& status) {
    return logged([&] { return lib_.UpdateReadStatusRequest(id_baca, status); });
}
Json ServiceAdapter::BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                                       const std::string& page_index) {
    return logged([&] { return lib_.BookReturnRequest(id_baca, id_konten, page_index); });
}
Json ServiceAdapter::SaveAnnotationRequest(const std::string& JSONString) {
    return logged([&] { return lib_.SaveAnnotationRequest(JSONString); });
}
Json ServiceAdapter::SaveCopyText(const std::string& JSonString) {
    return logged([&] { return lib_.SaveCopyText(JSonString); });
}

std::string ServiceAdapter::memberId() const {
    const std::shared_ptr<const UserIdentity> who = lib_.identity();
    return who ? who->FUserId : std::string();
}

reader::LoanService::EntryAnswer ServiceAdapter::SendOutboxEntry(const reader::OutboxEntry& entry) {
    EntryAnswer a;
    // One snapshot of the session: the check and the request use the same one.
    const std::shared_ptr<const UserIdentity> who = lib_.identity();
    if (!who || who->FUserId.empty() || who->FUserId != entry.member)
        return a;
    a.sent = true;
    a.answer = logged([&] {
        switch (entry.kind) {
        case reader::OutboxKind::Return:
            return lib_.BookReturnRequest(entry.idBaca, entry.idKonten, entry.payload, who,
                                          a.fromService);
        case reader::OutboxKind::Annotations:
            return lib_.SaveAnnotationRequest(entry.payload, who, a.fromService);
        case reader::OutboxKind::CopiedText:
            break;
        }
        return lib_.SaveCopyText(entry.payload, who, a.fromService);
    });
    return a;
}

} // namespace sumberlaras
