#include "reader/session/LoanWork.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "service/Envelope.h"
#include "tests/reader/session/FakeLoanService.h"

namespace sumberlaras::reader {
namespace {

using testing::FakeLoanService;
using testing::TempFolder;
using testing::writeFile;

class LoanWork : public ::testing::Test {
protected:
    TempFolder folder;
    FakeLoanService service{folder.path()};

    std::filesystem::path tempAnnot() const { return folder.file("tempAnnot.json"); }
};

struct PermissionCase {
    const char* name;
    Json answer;
    Json downloadAnswer;
    std::vector<std::string> calls;
    AnnotationFetch fetch;
};

void PrintTo(const PermissionCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadPermission : public LoanWork, public ::testing::WithParamInterface<PermissionCase> {};

TEST_P(ReadPermission, FetchesOnlyACopyTheServiceKeeps) {
    const PermissionCase& c = GetParam();
    service.permissionAnswer = c.answer;
    service.downloadAnswer = c.downloadAnswer;
    writeFile(tempAnnot(), R"({"id_konten":"7","data":[{"page":1}]})"); // an earlier book's

    const PermissionResult result = ReadPermissionRequest(service, "42");

    EXPECT_EQ(service.calls, c.calls);
    EXPECT_EQ(result.fetch, c.fetch);
    EXPECT_EQ(result.answer, c.answer);
    ASSERT_NE(service.slot.get(), nullptr);
    EXPECT_EQ(*service.slot.get(), c.answer);
    EXPECT_FALSE(std::filesystem::exists(tempAnnot()));
}

const Json kOk = {{"code", "200"}};

INSTANTIATE_TEST_SUITE_P(
    Answers, ReadPermission,
    ::testing::Values(PermissionCase{"NothingStored",
                                     {{"code", "200"}, {"id_baca", "981"}, {"file_anotasi", "0"}},
                                     kOk,
                                     {"permission 42"},
                                     AnnotationFetch::NotStored},
                      PermissionCase{"NothingStoredAsNumber",
                                     {{"code", 200}, {"id_baca", 981}, {"file_anotasi", 0}},
                                     kOk,
                                     {"permission 42"},
                                     AnnotationFetch::NotStored},
                      PermissionCase{"Fetched",
                                     {{"code", "200"}, {"file_anotasi", "ann_42.json"}},
                                     kOk,
                                     {"permission 42", "download ann_42.json"},
                                     AnnotationFetch::Fetched},
                      PermissionCase{"FetchedCodesAsNumbers",
                                     {{"code", 200}, {"file_anotasi", "ann_42.json"}},
                                     {{"code", 200}},
                                     {"permission 42", "download ann_42.json"},
                                     AnnotationFetch::Fetched},
                      PermissionCase{"FetchRefused",
                                     {{"code", "200"}, {"file_anotasi", "ann_42.json"}},
                                     {{"code", "404"}, {"msg", "File tidak ditemukan"}},
                                     {"permission 42", "download ann_42.json"},
                                     AnnotationFetch::Failed},
                      PermissionCase{"FetchWithoutCode",
                                     {{"code", "200"}, {"file_anotasi", "ann_42.json"}},
                                     Json::object(),
                                     {"permission 42", "download ann_42.json"},
                                     AnnotationFetch::Failed},
                      PermissionCase{"LoanRefused",
                                     {{"code", "403"}, {"file_anotasi", "ann_42.json"}},
                                     kOk,
                                     {"permission 42"},
                                     AnnotationFetch::NotStored},
                      PermissionCase{"WireFailure",
                                     {{"code", "500"}, {"msg", "Koneksi gagal"}},
                                     kOk,
                                     {"permission 42"},
                                     AnnotationFetch::NotStored}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LoanWork, FetchedCopyIsTakenOnceFromTheDataFolder) {
    writeFile(tempAnnot(), R"({"id_konten":"7","data":[{"page":9}]})");
    service.permissionAnswer = {{"code", "200"}, {"file_anotasi", "ann_42.json"}};
    service.downloadedText = R"({"id_konten":"42","data":[{"page":3}]})";

    const PermissionResult result = ReadPermissionRequest(service, "42");
    ASSERT_EQ(result.fetch, AnnotationFetch::Fetched);
    const StoredAnnotation stored = takeStoredAnnotation(folder.path(), "42", result.fetch);

    EXPECT_FALSE(stored.unreadable);
    EXPECT_EQ(stored.document, Json::parse(*service.downloadedText));
    EXPECT_FALSE(std::filesystem::exists(tempAnnot()));
}

struct TakeCase {
    const char* name;
    AnnotationFetch fetch;
    std::optional<std::string> file; // "tempAnnot.json" before the take
    const char* document;
    bool unreadable;
};

void PrintTo(const TakeCase& c, std::ostream* os) {
    *os << c.name;
}

class TakeStoredAnnotation : public LoanWork, public ::testing::WithParamInterface<TakeCase> {};

TEST_P(TakeStoredAnnotation, ReadsAndDeletesTheCopy) {
    const TakeCase& c = GetParam();
    if (c.file)
        writeFile(tempAnnot(), *c.file);

    const StoredAnnotation stored = takeStoredAnnotation(folder.path(), "42", c.fetch);

    EXPECT_EQ(stored.document.dump(), c.document);
    EXPECT_EQ(stored.unreadable, c.unreadable);
    EXPECT_FALSE(std::filesystem::exists(tempAnnot()));
}

constexpr const char* kEmpty = R"({"id_konten":"42","data":[]})";
constexpr const char* kCopy = R"({"id_konten":"42","data":[{"page":3}]})";

INSTANTIATE_TEST_SUITE_P(
    Fetches, TakeStoredAnnotation,
    ::testing::Values(
        TakeCase{"Fetched", AnnotationFetch::Fetched, kCopy, kCopy, false},
        TakeCase{"FetchedTruncated", AnnotationFetch::Fetched, R"({"id_konten":"42","data":[{"pa)",
                 kEmpty, true},
        TakeCase{"FetchedEmptyFile", AnnotationFetch::Fetched, "", kEmpty, true},
        TakeCase{"FetchedButMissing", AnnotationFetch::Fetched, std::nullopt, kEmpty, true},
        TakeCase{"NotStored", AnnotationFetch::NotStored, std::nullopt, kEmpty, false},
        TakeCase{"NotStoredIgnoresALeftover", AnnotationFetch::NotStored, kCopy, kEmpty, false},
        TakeCase{"Failed", AnnotationFetch::Failed, std::nullopt, kEmpty, true},
        TakeCase{"FailedIgnoresAFile", AnnotationFetch::Failed, kCopy, kEmpty, true}),
    [](const auto& p) { return std::string(p.param.name); });

class BookReturn : public LoanWork {
protected:
    TDetailBook book;
    TReaderSettings s;

    void SetUp() override {
        book.id = "42";
        book.id_baca = "981";
        s.AnnotationObject = emptyDocument("42");
        s.TextCopyObject = emptyDocument("42");
        s.TextCopyObject["data"].push_back({{"page", 2}, {"text", "Kalimat yang disalin"}});
    }

    void annotate() { s.AnnotationObject["data"].push_back({{"page", 5}, {"type", "highlight"}}); }
};

TEST_F(BookReturn, TheDocumentsLeaveTheStoredCopyAloneOnlyWhileNothingWasMarked) {
    const struct {
        const char* name;
        bool keepStored;
        bool annotated;
        bool annotationsSent;
    } cases[] = {{"Plain", false, false, true},
                 {"Annotated", false, true, true},
                 {"KeepStoredCopyOverEmptyDocument", true, false, false},
                 {"KeepStoredButAnnotatedSinceOpening", true, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        s.KeepStoredAnnotation = c.keepStored;
        if (c.annotated)
            annotate();
        const ReturnDocuments d = returnDocuments(s);
        EXPECT_EQ(d.annotations.has_value(), c.annotationsSent);
        if (d.annotations) {
            EXPECT_EQ(*d.annotations, serialiseDocument(s.AnnotationObject));
        }
        EXPECT_EQ(d.copiedText, serialiseDocument(s.TextCopyObject));
    }
}

TEST(OutboxWork, AnEntryIsSentOnlyWithItsMembersSession) {
    TempFolder folder;
    FakeLoanService service(folder.path());
    Outbox box;
    box.addReturn("m1", "b1", "7", "Buku", 3, std::string("{a}"), "{c}", {});
    const OutboxEntry ret = box.entries()[0];
    const struct {
        const char* label;
        std::string member;
        bool fromService;
        Json answer;
        std::optional<OutboxAnswer> expected;
    } cases[] = {
        {"another member", "m2", true, {{"code", "200"}}, std::nullopt},
        {"accepted", "m1", true, {{"code", "200"}}, OutboxAnswer::Accepted},
        {"envelope made here",
         "m1",
         false,
         {{"code", "500"}, {"msg", "timeout"}},
         OutboxAnswer::Failed},
        {"auth failed",
         "m1",
         true,
         {{"code", "500"}, {"msg", "Auth Failed"}},
         OutboxAnswer::AuthFailed},
        {"refused", "m1", true, {{"code", "400"}, {"msg", "sudah kembali"}}, OutboxAnswer::Refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        service.calls.clear();
        service.member = c.member;
        service.answersFromService = c.fromService;
        service.returnAnswer = c.answer;
        const std::optional<EntrySent> sent = SendOutboxEntry(service, ret);
        ASSERT_EQ(sent.has_value(), c.expected.has_value());
        EXPECT_EQ(service.calls.size(), c.expected ? 1u : 0u);
        if (!sent)
            continue;
        EXPECT_EQ(sent->answer, *c.expected);
        EXPECT_EQ(service.calls[0], "return b1 7 3");
        EXPECT_EQ(sent->msg, sumberlaras::readText(c.answer, "msg"));
    }
    service.member = "m1";
    SendOutboxEntry(service, box.entries()[1]);
    SendOutboxEntry(service, box.entries()[2]);
    EXPECT_EQ(service.calls.back(), "copy {c}");
    EXPECT_EQ(service.calls[service.calls.size() - 2], "annotation {a}");
}

} // namespace
} // namespace sumberlaras::reader
