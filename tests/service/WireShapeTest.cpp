#include <functional>
#include <map>
#include <thread>

#include <gtest/gtest.h>

#include "service/Envelope.h"
#include "tests/service/WireFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

using Headers = std::vector<std::string>;
const Headers kStandard = {"CLIENTID", "OS", "UUID", "KEY", "USERID", "USERLEVEL"};
const Headers kLogin = {"OS", "CLIENTID", "UUID"};
const Headers kReset = {"CLIENTID", "OS", "UUID"};
const char* const kForm = "application/x-www-form-urlencoded";
const char* const kJson = "application/json; charset=utf-8";

struct OperationCase {
    const char* label;
    std::function<Json(TSawiraLib&)> call;
    const char* method;
    const char* path;
    std::string body; // exactly as sent
    const char* contentType;
    Headers headers; // the program's own, in order
    const char* failurePrefix;
};
void PrintTo(const OperationCase& c, std::ostream* os) {
    *os << c.label;
}

const OperationCase kOperations[] = {
    {"login",
     [](TSawiraLib& l) { return l.LoginRequest("siti@sumberlaras.id", "a&b=c d+\xC3\xA9"); },
     "POST", "/api/wl/executeLogin",
     "user=siti%40sumberlaras.id&pass=a%26b%3Dc+d%2B%C3%A9&uuid=0000ABCD", kForm, kLogin, " #387 "},
    {"banner", [](TSawiraLib& l) { return l.BannerRequest(); }, "GET", "/api/wl/listBanner", "", "",
     kStandard, "#410 "},
    {"category", [](TSawiraLib& l) { return l.CategoryRequest(); }, "GET", "/api/wl/menu", "", "",
     kStandard, "#431 "},
    {"home", [](TSawiraLib& l) { return l.HomeRequest(3); }, "POST", "/api/wl/listHomepage",
     "page=3&limit=10", kForm, kStandard, "#457 "},
    {"home_detail", [](TSawiraLib& l) { return l.HomeDetailRequest("7"); }, "POST",
     "/api/wl/listHomepageDetail", "id_homepage=7&page=1", kForm, kStandard, "#484 "},
    {"category_content", [](TSawiraLib& l) { return l.CategoryContentRequest("1", "2 & 3"); },
     "POST", "/api/wl/listContentCategory", "id_dept=1&id_kategori=2+%26+3", kForm, kStandard,
     "#512 "},
    {"sub_category_content", [](TSawiraLib& l) { return l.SubCategoryContentRequest("1", "5"); },
     "POST", "/api/wl/listContentSubCategory", "id_dept=1&id_sub_kategori=5", kForm, kStandard,
     "#540 "},
    {"chart_top_read", [](TSawiraLib& l) { return l.ChartContentRequest("topRead", 1); }, "POST",
     "/api/wl/listTopRead", "page=1", kForm, kStandard, "#527 "},
    {"chart_last_read", [](TSawiraLib& l) { return l.ChartContentRequest("lastRead", 4); }, "POST",
     "/api/wl/listLastRead", "page=4", kForm, kStandard, "#527 "},
    {"chart_last_view", [](TSawiraLib& l) { return l.ChartContentRequest("lastView", 2); }, "POST",
     "/api/wl/listLastView", "page=2", kForm, kStandard, "#527 "},
    {"detail", [](TSawiraLib& l) { return l.DetailContentRequest("12"); }, "POST",
     "/api/wl/detailKonten", "id_konten=12", kForm, kStandard, ""},
    {"search", [](TSawiraLib& l) { return l.SearchContentRequest("Penulis", "Ilmu & Alam", 2); },
     "POST", "/api/wl/searching", "page=2&keyword=Ilmu+%26+Alam&field=Penulis", kForm, kStandard,
     ""},
    {"search_sentence", [](TSawiraLib& l) { return l.SearchKalimatRequest("bumi \"bulat\"", 1); },
     "POST", "/api/wl/searchingKalimat", "page=1&keyword=bumi+%22bulat%22", kForm, kStandard, ""},
    {"read_permission", [](TSawiraLib& l) { return l.ReadPermissionRequest("12"); }, "POST",
     "/api/wl/requestBaca", "id_konten=12", kForm, kStandard, ""},
    {"book_return", [](TSawiraLib& l) { return l.BookReturnRequest("b1", "12", "5"); }, "POST",
     "/api/wl/bookReturn", "id_konten=12&id_baca=b1&page_index=5", kForm, kStandard, ""},
    {"save_annotation",
     [](TSawiraLib& l) { return l.SaveAnnotationRequest(R"({"catatan":"é & ü"})"); }, "POST",
     "/api/wl/saveAnotasi", R"({"catatan":"é & ü"})", kJson, kStandard, ""},
    {"save_copy_text", [](TSawiraLib& l) { return l.SaveCopyText(R"({"teks":"a\nb"})"); }, "POST",
     "/api/wl/copyText", R"({"teks":"a\nb"})", kJson, kStandard, ""},
    {"forgot_password",
     [](TSawiraLib& l) { return l.ForgotPasswordRequest("budi+x@sumberlaras.id"); }, "POST",
     "/api/wl/forgotPassword", "username=budi%2Bx%40sumberlaras.id", kForm, kReset, ""},
    {"read_status", [](TSawiraLib& l) { return l.UpdateReadStatusRequest("b1", "0"); }, "POST",
     "/api/wl/updateReadStatus", "id_baca=b1&status=0", kForm, kStandard, ""},
    {"logout", [](TSawiraLib& l) { return l.Logoutrequest(); }, "POST", "/api/wl/executeLogout",
     "id_user=u%2F1", kForm, kStandard, ""},
    {"version_check",
     [](TSawiraLib& l) { return l.checkAppVersionRequest(); },
     "POST",
     "/api/wl/checkAppVersion",
     "kode=QWZ5093pmr&os=WIN&versi=4",
     kForm,
     {},
     "#301 "},
    {"partner", [](TSawiraLib& l) { return l.getClientJson(); }, "GET", "/api/wl/mitra", "", "",
     kReset, "#355 "},
};

class Operation : public ::testing::TestWithParam<OperationCase>, protected WireFixture {
protected:
    // A signed-in identity, so the full standard set is expected.
    std::unique_ptr<TSawiraLib> signedIn() {
        auto lib = make(wired());
        lib->setIdentity({.FUserId = "u/1", .FToken = "tok-123", .FUserLevel = "2"});
        return lib;
    }
};

TEST_P(Operation, SendsItsShape) {
    const auto& c = GetParam();
    auto lib = signedIn();
    const Json answer = c.call(*lib);
    EXPECT_TRUE(answer.is_object());

    const Json logged = lastLogged();
    ASSERT_TRUE(logged.is_object()) << "nothing reached the stand-in";
    EXPECT_EQ(logged["method"], c.method);
    EXPECT_EQ(logged["path"], c.path);
    EXPECT_EQ(logged["body"], c.body);
    if (*c.contentType) {
        EXPECT_EQ(logged["content_type"], c.contentType);
    }
    EXPECT_EQ(serviceHeaderOrder(lastSentHeaders()), c.headers) << lastSentHeaders();
}

TEST_P(Operation, FailureCarriesItsPrefix) {
    const auto& c = GetParam();
    auto lib = signedIn();
    sharedStandin().failNext(c.path, "http500");
    const Json answer = c.call(*lib);
    EXPECT_EQ(answerCode(answer), "500");
    const std::string msg = readText(answer, "msg");
    EXPECT_EQ(
        msg.rfind(std::string(c.failurePrefix) + "The service answered with HTTP status 500", 0),
        0u)
        << msg;
}

INSTANTIATE_TEST_SUITE_P(All, Operation, ::testing::ValuesIn(kOperations),
                         [](const auto& tp) { return std::string(tp.param.label); });

class Identity : public ::testing::Test, protected WireFixture {};

TEST_F(Identity, KeyHeadersOnlyAfterLogin) {
    auto lib = make(wired());
    lib->BannerRequest();
    EXPECT_EQ(serviceHeaderOrder(lastSentHeaders()), (Headers{"CLIENTID", "OS", "UUID"}));

    const Json login = lib->LoginRequest("siti@sumberlaras.id", "baca1234");
    ASSERT_EQ(answerCode(login), "200") << login.dump();
    const Json& data = login["data"];
    lib->setIdentity({.FUserId = readText(data, "id_user"),
                      .FToken = readText(data, "token"),
                      .FUserLevel = readText(data, "level")});
    const auto who = lib->identity();
    ASSERT_FALSE(who->FToken.empty());

    const Json banners = lib->BannerRequest();
    EXPECT_EQ(answerCode(banners), "200") << banners.dump();
    EXPECT_EQ(serviceHeaderOrder(lastSentHeaders()), kStandard);
    const Json logged = lastLogged();
    Json expected = Json::array(
        {Json::array({"CLIENTID", "396"}), Json::array({"OS", "WIN"}),
         Json::array({"UUID", "0000ABCD"}), Json::array({"KEY", who->FToken}),
         Json::array({"USERID", who->FUserId}), Json::array({"USERLEVEL", who->FUserLevel})});
    Json own = Json::array();
    for (const auto& h : logged["headers"])
        if (std::find(kStandard.begin(), kStandard.end(), upper(h[0])) != kStandard.end())
            own.push_back(Json::array({upper(h[0]), h[1]}));
    EXPECT_EQ(own, expected);

    EXPECT_EQ(answerCode(lib->Logoutrequest()), "200");
}

TEST_F(Identity, AReturnsRequestsGoWithTheGivenSessionAndSayWhoseAnswerCame) {
    auto lib = make(wired());
    const Json login = lib->LoginRequest("siti@sumberlaras.id", "baca1234");
    ASSERT_EQ(answerCode(login), "200") << login.dump();
    const Json& data = login["data"];
    const auto member =
        std::make_shared<const UserIdentity>(UserIdentity{.FUserId = readText(data, "id_user"),
                                                          .FToken = readText(data, "token"),
                                                          .FUserLevel = readText(data, "level")});
    // Another member is signed in now; the request still goes as `member`.
    lib->setIdentity({.FUserId = "u/2", .FToken = "tok-2"});
    bool fromService = false;
    const Json saved = lib->SaveCopyText(R"({"id_konten":"121","data":[]})", member, fromService);
    EXPECT_EQ(answerCode(saved), "200") << saved.dump();
    EXPECT_TRUE(fromService);
    EXPECT_NE(lastSentHeaders().find("\r\nUSERID: " + member->FUserId + "\r\n"), std::string::npos)
        << lastSentHeaders();
    EXPECT_NE(lastSentHeaders().find("\r\nKEY: " + member->FToken + "\r\n"), std::string::npos);

    sharedStandin().failNext("/api/wl/bookReturn", "http500");
    const Json failed = lib->BookReturnRequest("b1", "12", "5", member, fromService);
    EXPECT_EQ(answerCode(failed), "500");
    EXPECT_FALSE(fromService);
    fromService = true;
    sharedStandin().failNext("/api/wl/saveAnotasi", "drop");
    lib->SaveAnnotationRequest(R"({"id_konten":"12","data":[]})", member, fromService);
    EXPECT_FALSE(fromService);
}

TEST_F(Identity, ValuesCannotStartAHeaderLine) {
    auto lib = make(wired());
    lib->setIdentity({.FToken = "tok\r\nX-Injected: 1"});
    lib->DetailContentRequest("1");
    EXPECT_EQ(lastSentHeaders().find("\r\nX-Injected"), std::string::npos) << lastSentHeaders();
    EXPECT_NE(lastSentHeaders().find("\r\nKEY: tokX-Injected: 1\r\n"), std::string::npos);
}

TEST_F(Identity, RequestsInFlightTogetherEachStandAlone) {
    auto lib = make(wired());
    std::vector<Json> answers(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < answers.size(); ++i)
        threads.emplace_back([&, i] { answers[i] = lib->checkAppVersionRequest(); });
    for (auto& t : threads)
        t.join();
    for (const auto& a : answers)
        EXPECT_EQ(answerCode(a), "200") << a.dump();
}

class Transport : public ::testing::Test, protected WireFixture {
protected:
    TransportConfig config() {
        TransportConfig t;
        t.baseUrl = sharedStandin().baseUrl();
        t.caBundle = sharedStandin().caFile();
        return t;
    }
};

TEST_F(Transport, MultipartPartsKeepNamesFilesAndTypes) {
    HttpRequest request;
    request.method = "POST";
    request.url = sharedStandin().baseUrl() + "/api/wl/executeRegistration";
    request.headers = {{"CLIENTID", "396"}};
    const std::string picture("\x89PNG\r\n\x1a\n\0\0", 10);
    request.multipart = {{"nama", "Siti \"S\" & co", "", ""},
                         {"foto", picture, "wajah.png", "image/png"}};
    performRequest(request, config());

    const Json logged = lastLogged();
    ASSERT_TRUE(logged.contains("parts")) << logged.dump();
    const Json& parts = logged["parts"];
    ASSERT_EQ(parts.size(), 2u);
    std::map<std::string, Json> byName;
    for (const auto& p : parts)
        byName[p["name"].get<std::string>()] = p;
    EXPECT_EQ(byName["nama"]["content"], "Siti \"S\" & co");
    EXPECT_EQ(byName["foto"]["filename"], "wajah.png");
    EXPECT_EQ(byName["foto"]["content_type"], "image/png");
    EXPECT_EQ(byName["foto"]["size"], picture.size());
}

TEST_F(Transport, OversizedAnswerFailsInsteadOfGrowing) {
    TransportConfig t = config();
    t.maxAnswerBytes = 10;
    HttpRequest request;
    request.url = sharedStandin().baseUrl() + "/api/wl/mitra";
    request.headers = {{"CLIENTID", "396"}, {"OS", "WIN"}, {"UUID", "0000ABCD"}};
    const HttpResponse response = performRequest(request, t);
    EXPECT_FALSE(response.ok);
    EXPECT_EQ(response.error, "The answer is larger than 10 bytes");
    EXPECT_TRUE(response.body.empty());
}

} // namespace
