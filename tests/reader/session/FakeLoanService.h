#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "reader/session/LoanService.h"
#include "tests/support/TempFolder.h"

namespace sumberlaras::reader::testing {

using sumberlaras::testing::TempFolder;
using sumberlaras::testing::writeFile;

// Answers from its members and records every request, in order, as
// "operation arguments...".
class FakeLoanService : public LoanService {
public:
    explicit FakeLoanService(std::string folder) : folder_(std::move(folder)) {}

    Json permissionAnswer = {{"code", "200"}};
    Json downloadAnswer = {{"code", "200"}};
    // What a download leaves in "tempAnnot.json"; nothing when empty.
    std::optional<std::string> downloadedText;
    Json returnAnswer = {{"code", "200"}};
    Json saveAnnotationAnswer = {{"code", "200"}};
    Json saveCopyAnswer = {{"code", "200"}};

    std::vector<std::string> calls;
    JsonSlot slot;
    // Who is signed in, and whether answers to outbox entries come from the
    // service (false: as a failure envelope made on this side would).
    std::string member = "m1";
    bool answersFromService = true;

    std::string dataFolder() const override { return folder_; }
    std::string memberId() const override { return member; }
    JsonSlot& readPermissionSlot() override { return slot; }
    Json ReadPermissionRequest(const std::string& id_konten) override {
        calls.push_back("permission " + id_konten);
        return permissionAnswer;
    }
    Json DownloadAnnotationRequest(const std::string& file_anotasi) override {
        calls.push_back("download " + file_anotasi);
        if (downloadedText)
            writeFile(std::filesystem::path(folder_) / "tempAnnot.json", *downloadedText);
        return downloadAnswer;
    }
    Json UpdateReadStatusRequest(const std::string& id_baca, const std::string& status) override {
        calls.push_back("status " + id_baca + " " + status);
        return {{"code", "200"}};
    }
    Json BookReturnRequest(const std::string& id_baca, const std::string& id_konten,
                           const std::string& page_index) override {
        calls.push_back("return " + id_baca + " " + id_konten + " " + page_index);
        return returnAnswer;
    }
    Json SaveAnnotationRequest(const std::string& JSONString) override {
        calls.push_back("annotation " + JSONString);
        return saveAnnotationAnswer;
    }
    Json SaveCopyText(const std::string& JSonString) override {
        calls.push_back("copy " + JSonString);
        return saveCopyAnswer;
    }

    EntryAnswer SendOutboxEntry(const OutboxEntry& entry) override {
        EntryAnswer a;
        if (entry.member != member)
            return a;
        a.sent = true;
        a.fromService = answersFromService;
        switch (entry.kind) {
        case OutboxKind::Return:
            a.answer = BookReturnRequest(entry.idBaca, entry.idKonten, entry.payload);
            break;
        case OutboxKind::Annotations:
            a.answer = SaveAnnotationRequest(entry.payload);
            break;
        case OutboxKind::CopiedText:
            a.answer = SaveCopyText(entry.payload);
            break;
        }
        return a;
    }

private:
    std::string folder_;
};

} // namespace sumberlaras::reader::testing
