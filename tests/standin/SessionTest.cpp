// Sign-in, the one-device rule and the header checks of member requests.
#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

class SessionTest : public ::testing::Test {
protected:
    sumberlaras::testing::Standin standin;
    Client client{standin};
};

TEST_F(SessionTest, SignInAnswersTheLoginData) {
    const Answer answer = client.postForm(
        "/api/wl/executeLogin", "user=siti%40sumberlaras.id&pass=baca1234&uuid=0A1B2C3D",
        {{"OS", "WIN"}, {"CLIENTID", "396"}, {"UUID", "0A1B2C3D"}});
    ASSERT_EQ(answer.status, 200);
    const Json json = answer.json();
    ASSERT_EQ(json["code"], "200");
    const Json& data = json["data"];
    for (const char* member :
         {"id_user", "username", "nama", "level", "tgl_berakhir", "token", "photo"}) {
        ASSERT_TRUE(data.contains(member)) << member;
        EXPECT_TRUE(data[member].is_string()) << member;
    }
    EXPECT_EQ(data["username"], kSiti);
    EXPECT_FALSE(data["token"].get<std::string>().empty());
}

struct RefusedSignIn {
    const char* name;
    std::string form;
    HeaderList headers;
    long status;
    const char* code;
};

TEST_F(SessionTest, RefusesBadSignIns) {
    const HeaderList good = {{"OS", "WIN"}, {"CLIENTID", "396"}, {"UUID", "0A1B2C3D"}};
    const std::vector<RefusedSignIn> cases = {
        {"wrong password", "user=siti%40sumberlaras.id&pass=salah123&uuid=0A1B2C3D", good, 200,
         "401"},
        {"unknown account", "user=tamu%40sumberlaras.id&pass=baca1234&uuid=0A1B2C3D", good, 200,
         "401"},
        {"missing password", "user=siti%40sumberlaras.id&uuid=0A1B2C3D", good, 400, "400"},
        {"empty device", "user=siti%40sumberlaras.id&pass=baca1234&uuid=", good, 400, "400"},
        {"wrong client number",
         "user=siti%40sumberlaras.id&pass=baca1234&uuid=0A1B2C3D",
         {{"OS", "WIN"}, {"CLIENTID", "397"}, {"UUID", "0A1B2C3D"}},
         403,
         "403"},
        {"no client number",
         "user=siti%40sumberlaras.id&pass=baca1234&uuid=0A1B2C3D",
         {{"OS", "WIN"}, {"UUID", "0A1B2C3D"}},
         403,
         "403"},
    };
    for (const RefusedSignIn& c : cases) {
        const Answer answer = client.postForm("/api/wl/executeLogin", c.form, c.headers);
        EXPECT_EQ(answer.status, c.status) << c.name;
        EXPECT_EQ(answer.code(), c.code) << c.name;
        const Json json = answer.json();
        ASSERT_TRUE(json.is_object()) << c.name;
        EXPECT_FALSE(json.value("msg", "").empty()) << c.name;
        EXPECT_FALSE(json.contains("data")) << c.name;
    }
}

TEST_F(SessionTest, MemberRequestsNeedEveryHeaderOfALiveSession) {
    const Session session = signIn(client, kSiti, "0A1B2C3D");
    ASSERT_EQ(client.get("/api/wl/menu", session.headers()).code(), "200");

    struct Case {
        const char* name;
        HeaderList headers;
        long status;
        const char* code;
        const char* msg;
    };
    Session wrongKey = session;
    wrongKey.key = "0000";
    Session wrongLevel = session;
    wrongLevel.level = "9";
    Session otherUser = session;
    otherUser.userId = "2";
    const std::vector<Case> cases = {
        {"before sign-in", clientHeaders("0A1B2C3D"), 401, "401", nullptr},
        {"wrong key", wrongKey.headers(), 200, "500", "Auth Failed"},
        {"wrong level", wrongLevel.headers(), 200, "500", "Auth Failed"},
        {"another member's id", otherUser.headers(), 200, "500", "Auth Failed"},
        {"wrong client number",
         {{"CLIENTID", "1"},
          {"OS", "WIN"},
          {"UUID", session.uuid},
          {"KEY", session.key},
          {"USERID", session.userId},
          {"USERLEVEL", session.level}},
         403,
         "403",
         nullptr},
    };
    for (const Case& c : cases) {
        const Answer answer = client.get("/api/wl/menu", c.headers);
        EXPECT_EQ(answer.status, c.status) << c.name;
        EXPECT_EQ(answer.code(), c.code) << c.name;
        if (c.msg) {
            EXPECT_EQ(answer.json()["msg"], c.msg) << c.name;
        }
        EXPECT_FALSE(answer.json().contains("data_departemen")) << c.name;
    }
}

TEST_F(SessionTest, SigningInOnAnotherDeviceEndsTheFirstSession) {
    const Session first = signIn(client, kSiti, "AAAA0001");
    const Session second = signIn(client, kSiti, "BBBB0002");
    const Answer stale = client.postForm("/api/wl/detailKonten", "id_konten=101", first.headers());
    EXPECT_EQ(stale.status, 200);
    EXPECT_EQ(stale.code(), "500");
    EXPECT_EQ(stale.json()["msg"], "Auth Failed");
    EXPECT_EQ(client.postForm("/api/wl/detailKonten", "id_konten=101", second.headers()).code(),
              "200");
    // The other member is not affected.
    const Session budi = signIn(client, kBudi, "AAAA0001");
    EXPECT_EQ(client.get("/api/wl/listBanner", budi.headers()).code(), "200");
    EXPECT_EQ(client.get("/api/wl/listBanner", second.headers()).code(), "200");
}

TEST_F(SessionTest, SignOutEndsTheSession) {
    const Session session = signIn(client, kSiti, "AAAA0001");
    EXPECT_EQ(client.postForm("/api/wl/executeLogout", "id_user=2", session.headers()).status, 400);
    EXPECT_EQ(
        client.postForm("/api/wl/executeLogout", "id_user=" + session.userId, session.headers())
            .code(),
        "200");
    EXPECT_EQ(client.get("/api/wl/menu", session.headers()).json()["msg"], "Auth Failed");
}

TEST_F(SessionTest, PartnerConfigurationNeedsOnlyTheClientNumber) {
    const Answer answer = client.get("/api/wl/mitra", clientHeaders("0A1B2C3D"));
    ASSERT_EQ(answer.code(), "200");
    const Json json = answer.json();
    const Json& data = json["data"];
    for (const char* member :
         {"warna_header", "warna_button_login", "warna_hover_button_login", "warna_hover_baca",
          "logo_login", "logo", "nama", "foto_intro", "keterangan_intro", "daftar_pekerjaan"}) {
        EXPECT_FALSE(data.value(member, "").empty()) << member;
    }
    EXPECT_EQ(data["foto_intro"].get<std::string>().rfind(standin.baseUrl() + "/prod/img/logo/", 0),
              0u);
    EXPECT_EQ(client.get("/api/wl/mitra", {{"OS", "WIN"}}).status, 403);
}

} // namespace
} // namespace standin::testing
