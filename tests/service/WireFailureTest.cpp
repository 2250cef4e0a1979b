#include <filesystem>

#include <gtest/gtest.h>

#include <thread>

#include "tests/service/WireFixture.h"
#include "service/Envelope.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
namespace fs = std::filesystem;

namespace {

struct ModeCase {
    const char* mode;
    const char* msgStart; // after the operation's prefix
};
void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.mode;
}

class BadAnswer : public ::testing::TestWithParam<ModeCase>, protected WireFixture {};

TEST_P(BadAnswer, BecomesAFailureEnvelopeThatSaysWhatCameBack) {
    auto lib = make(wired());
    for (const std::string prefix : {"", " #387 "}) {
        const bool login = !prefix.empty();
        sharedStandin().failNext(login ? "/api/wl/executeLogin" : "/api/wl/detailKonten",
                                 GetParam().mode);
        const Json answer = login ? lib->LoginRequest("siti@sumberlaras.id", "baca1234")
                                  : lib->DetailContentRequest("1");
        ASSERT_TRUE(answer.is_object());
        EXPECT_EQ(answer["code"], "500");
        const std::string msg = readText(answer, "msg");
        EXPECT_EQ(msg.rfind(prefix + GetParam().msgStart, 0), 0u) << msg;
        EXPECT_TRUE(Json::accept(answer.dump()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BadAnswer,
    ::testing::Values(ModeCase{"http500", "The service answered with HTTP status 500"},
                      ModeCase{"http404", "The service answered with HTTP status 404"},
                      ModeCase{"empty", "The service sent an empty answer"},
                      ModeCase{"array", "The service sent a JSON array instead of a JSON object"},
                      ModeCase{"html", "The service sent an HTML page"},
                      ModeCase{"broken", "The service sent an answer that is not valid JSON"},
                      ModeCase{"drop", ""}),
    [](const auto& tp) { return std::string(tp.param.mode); });

struct TransportCase {
    const char* label;
    std::function<void(TransportConfig&)> change;
    const char* descriptionHas;
};
void PrintTo(const TransportCase& c, std::ostream* os) {
    *os << c.label;
}

class BrokenTransport : public ::testing::TestWithParam<TransportCase>, protected WireFixture {};

TEST_P(BrokenTransport, BecomesAFailureEnvelope) {
    auto o = wired();
    GetParam().change(*o.transport);
    auto lib = make(o);
    const Json login = lib->LoginRequest("siti@sumberlaras.id", "baca1234");
    const Json detail = lib->DetailContentRequest("1");
    for (const auto& [answer, prefix] : {std::pair{login, " #387 "}, std::pair{detail, ""}}) {
        EXPECT_EQ(answer["code"], "500");
        const std::string msg = readText(answer, "msg");
        EXPECT_EQ(msg.rfind(prefix, 0), 0u) << msg;
        EXPECT_NE(msg.find(GetParam().descriptionHas), std::string::npos) << msg;
    }
    EXPECT_TRUE(sharedStandin().log().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenTransport,
    ::testing::Values(
        TransportCase{"refused",
                      [](TransportConfig& config) { config.baseUrl = "https://127.0.0.1:1"; },
                      "Failed to connect"},
        TransportCase{"untrusted_certificate",
                      [](TransportConfig& config) { config.caBundle.clear(); }, "certificate"},
        TransportCase{"wrong_host_name",
                      [](TransportConfig& config) {
                          const std::string port = std::to_string(sharedStandin().port());
                          config.baseUrl = "https://wrong.example:" + port;
                          config.resolveOverrides = {"wrong.example:" + port + ":127.0.0.1"};
                      },
                      "wrong.example"},
        TransportCase{"plain_http",
                      [](TransportConfig& config) {
                          config.baseUrl =
                              "http://127.0.0.1:" + std::to_string(sharedStandin().port());
                      },
                      "not supported"}),
    [](const auto& tp) { return std::string(tp.param.label); });

class TimeLimits : public ::testing::Test, protected WireFixture {};

TEST_F(TimeLimits, VersionCheckGivesUpWhenTheAnswerStalls) {
    auto o = wired();
    o.versionReadTimeout = std::chrono::milliseconds(1000);
    auto lib = make(o);
    sharedStandin().failNext("/api/wl/checkAppVersion", "stall", 1, 5000);
    const Json answer = lib->checkAppVersionRequest();
    EXPECT_EQ(answer["code"], "500");
    EXPECT_EQ(readText(answer, "msg").rfind("#301 No data from the service for 1000 ms", 0), 0u)
        << answer.dump();
}

TEST_F(TimeLimits, OtherRequestsUseTheStallLimit) {
    auto o = wired();
    o.transport->stallTimeout = std::chrono::milliseconds(1000);
    auto lib = make(o);
    sharedStandin().failNext("/api/wl/executeLogin", "delay", 1, 4000);
    const Json answer = lib->LoginRequest("siti@sumberlaras.id", "baca1234");
    EXPECT_EQ(readText(answer, "msg").rfind(" #387 No data from the service for 1000 ms", 0), 0u)
        << answer.dump();
}

TEST_F(TimeLimits, CancellingEndsAWaitingRequestAndRefusesNewOnes) {
    auto lib = make(wired()); // the default stall limit: two minutes
    sharedStandin().failNext("/api/wl/executeLogin", "stall", 1, 60000);
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        lib->cancelRequests();
    });
    const Json answer = lib->LoginRequest("siti@sumberlaras.id", "baca1234");
    closer.join();
    EXPECT_EQ(answer["code"], "500");
    EXPECT_EQ(readText(answer, "msg"), " #387 Request cancelled") << answer.dump();
    const Json later = lib->BannerRequest();
    EXPECT_EQ(later["code"], "500");
    EXPECT_NE(readText(later, "msg").find("Request cancelled"), std::string::npos) << later.dump();
}

TEST_F(TimeLimits, ASlowButWorkingServiceIsNotCut) {
    auto o = wired();
    o.versionReadTimeout = std::chrono::milliseconds(2000);
    auto lib = make(o);
    sharedStandin().failNext("/api/wl/checkAppVersion", "delay", 1, 300);
    EXPECT_EQ(answerCode(lib->checkAppVersionRequest()), "200");
}

TEST(VersionVerdicts, ComeBackAsTheServiceSentThem) {
    WireFixture fixture;
    auto lib = fixture.make(fixture.wired());
    for (const Json& verdict :
         {Json{{"code", "200"}}, Json{{"code", "300"}, {"url", "https://example.org/u?a=1&b=2"}},
          Json{{"code", "403"}, {"msg", "Versi ini tidak boleh dipakai"}}}) {
        sharedStandin().setVersion(verdict);
        const Json answer = lib->checkAppVersionRequest();
        EXPECT_EQ(answerCode(answer), readText(verdict, "code"));
        if (verdict.contains("url")) {
            EXPECT_EQ(answer["url"], verdict["url"]);
        }
        if (verdict.contains("msg")) {
            EXPECT_EQ(answer["msg"], verdict["msg"]);
        }
    }
}

class PartnerConfiguration : public ::testing::Test, protected WireFixture {
protected:
    const std::string sheet = ".a{}\n"
                              ".btn{background:[WARNA_BUTTON_LOGIN]}\r\n"
                              ".btn:hover{background:[WARNA_HOVER_BUTTON_LOGIN]}\n"
                              ".low{x:[warna_button_login]}";
    std::string sheetPath(TSawiraLib& lib) { return lib.FPath + "/css/style.css"; }
};

TEST_F(PartnerConfiguration, PatchesTheLoginButtonColours) {
    auto lib = make(wired());
    writeFile(sheetPath(*lib), sheet);
    const Json answer = lib->getClientJson();
    ASSERT_EQ(answerCode(answer), "200") << answer.dump();
    EXPECT_EQ(*lib->FClientJson.get(), answer);
    EXPECT_EQ(readFile(sheetPath(*lib)), ".a{}\n"
                                         ".btn{background:#f39c12}\r\n"
                                         ".btn:hover{background:#d35400}\n"
                                         ".low{x:[warna_button_login]}");
}

TEST_F(PartnerConfiguration, FailureLeavesTheSheetByteForByte) {
    auto lib = make(wired());
    writeFile(sheetPath(*lib), sheet);
    for (const char* mode : {"http500", "html", "drop"}) {
        sharedStandin().failNext("/api/wl/mitra", mode);
        const Json answer = lib->getClientJson();
        EXPECT_EQ(answer["code"], "500");
        EXPECT_EQ(readText(answer, "msg").rfind("#355 ", 0), 0u) << answer.dump();
        EXPECT_EQ(readFile(sheetPath(*lib)), sheet) << mode;
    }
}

TEST_F(PartnerConfiguration, MissingSheetBecomesAFailureEnvelope) {
    auto lib = make(wired());
    fs::remove(sheetPath(*lib));
    const Json answer = lib->getClientJson();
    EXPECT_EQ(answer["code"], "500");
    EXPECT_EQ(readText(answer, "msg").rfind("#355 Cannot read", 0), 0u) << answer.dump();
    EXPECT_EQ(*lib->FClientJson.get(), answer);
}

TEST_F(PartnerConfiguration, UnreachableServiceGivesTheNumberedEnvelope) {
    auto lib = make(); // points nowhere
    const Json answer = lib->getClientJson();
    EXPECT_EQ(answer["code"], "500");
    EXPECT_EQ(readText(answer, "msg").rfind("#355 ", 0), 0u);
    EXPECT_EQ(readFile(lib->FPath + "/css/style.css"), kStyleSheet);
}

class StoredAnnotation : public ::testing::Test, protected WireFixture {};

TEST_F(StoredAnnotation, DownloadsWithTheStandardHeadersIntoTheDataFolder) {
    auto lib = make(wired());
    lib->setIdentity({.FToken = "tok"});
    const Json done = lib->DownloadAnnotationRequest(sharedStandin().baseUrl() + "/api/wl/mitra");
    ASSERT_EQ(answerCode(done), "200") << done.dump();
    EXPECT_EQ(done["path"], lib->FPath + "/tempAnnot.json");
    EXPECT_TRUE(Json::accept(readFile(lib->FPath + "/tempAnnot.json")));
    // A bare path is read under the service address.
    EXPECT_EQ(answerCode(lib->DownloadAnnotationRequest("/api/wl/mitra")), "200");
    EXPECT_EQ(serviceHeaderOrder(lastSentHeaders()),
              (std::vector<std::string>{"CLIENTID", "OS", "UUID", "KEY"}));
}

TEST_F(StoredAnnotation, FailureLeavesNoDocument) {
    auto lib = make(wired());
    sharedStandin().failNext("/api/wl/mitra", "http404");
    const Json failed = lib->DownloadAnnotationRequest(sharedStandin().baseUrl() + "/api/wl/mitra");
    EXPECT_EQ(failed["code"], "500");
    EXPECT_FALSE(fs::exists(lib->FPath + "/tempAnnot.json"));
    EXPECT_EQ(answerCode(lib->DownloadAnnotationRequest("0")), "500");
    EXPECT_EQ(answerCode(lib->DownloadAnnotationRequest("file:///etc/passwd")), "500");
}

TEST(ChartKinds, UnknownKindIsAFailureAndSendsNothing) {
    WireFixture fixture;
    auto lib = fixture.make(fixture.wired());
    const Json answer = lib->ChartContentRequest("TopRead", 1);
    EXPECT_EQ(answer["code"], "500");
    EXPECT_EQ(readText(answer, "msg").rfind("#527 ", 0), 0u);
    EXPECT_TRUE(sharedStandin().log().empty());
}

} // namespace
