#include "reader/session/LoanWork.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "service/Envelope.h"

namespace sumberlaras::reader {

namespace {
constexpr const char* kTempAnnot = "tempAnnot.json";
}

PermissionResult ReadPermissionRequest(LoanService& service, const std::string& idKonten) {
    PermissionResult result;
    result.answer = service.ReadPermissionRequest(idKonten);
    service.readPermissionSlot().store(result.answer);
    // A copy left from an earlier book must never be taken for this one.
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(service.dataFolder()) / kTempAnnot, ec);
    const std::string file = readText(result.answer, "file_anotasi");
    if (answerCode(result.answer) == "200" && !file.empty() && file != "0") {
        const Json fetched = service.DownloadAnnotationRequest(file);
        result.fetch =
            answerCode(fetched) == "200" ? AnnotationFetch::Fetched : AnnotationFetch::Failed;
    }
    return result;
}

StoredAnnotation takeStoredAnnotation(const std::string& dataFolder, const std::string& idKonten,
                                      AnnotationFetch fetch) {
    const std::filesystem::path path = std::filesystem::path(dataFolder) / kTempAnnot;
    std::string text;
    bool present = false;
    if (fetch == AnnotationFetch::Fetched) {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream all;
            all << in.rdbuf();
            text = all.str();
            present = true;
        }
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (fetch == AnnotationFetch::NotStored)
        return {emptyDocument(idKonten), false};
    if (!present)
        return {emptyDocument(idKonten), true};
    return readStoredAnnotation(text, idKonten);
}

TaskParams statusReportParams(const TReaderSettings& s, const std::string& tab) {
    TaskParams p;
    p.set("id_baca", s.IdBaca).set("key", tab).set("status", s.ReadStatus);
    return p;
}

void UpdateReadStatus(LoanService& service, const TaskParams& params) {
    // The answer changes nothing: a failed report is simply the next one's job.
    service.UpdateReadStatusRequest(params.text("id_baca"),
                                    std::to_string(params.integer("status")));
}

ReturnDocuments returnDocuments(const TReaderSettings& s) {
    ReturnDocuments d;
    if (!(s.KeepStoredAnnotation && documentIsEmpty(s.AnnotationObject)))
        d.annotations = serialiseDocument(s.AnnotationObject);
    d.copiedText = serialiseDocument(s.TextCopyObject);
    return d;
}

std::optional<EntrySent> SendOutboxEntry(LoanService& service, const OutboxEntry& entry) {
    const LoanService::EntryAnswer a = service.SendOutboxEntry(entry);
    if (!a.sent)
        return std::nullopt;
    return EntrySent{classifyAnswer(a.answer, a.fromService), readText(a.answer, "msg")};
}

} // namespace sumberlaras::reader
