// Region lists, registration and password reset.
#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "rest of a picture";
const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "rest of a picture";

class AccountTest : public ::testing::Test {
protected:
    Json record(const std::string& email) const {
        return Json{{"id_mitra", "396"},
                    {"username", email},
                    {"password", "rahasia123"},
                    {"nama", "Rina \"Ina\" Wati"},
                    {"id_provinsi", "32"},
                    {"id_kota", "3273"},
                    {"id_kecamatan", "327301"},
                    {"id_kelurahan", "3273011001"},
                    {"tgl_lahir", "1990-01-01"},
                    {"gender", "P"},
                    {"nomor_identitas", "3273010101900001"},
                    {"jenis_identitas", "KTP"},
                    {"pekerjaan", "Guru/Dosen"},
                    {"pendidikan", "Strata 1 "},
                    {"alamat", "Jl. Dago 1\nBandung"},
                    {"kota", "KOTA BANDUNG"},
                    {"no_telepon", "08123456789"}};
    }
    Answer submit(const Json& data, const std::string& identity = kJpeg,
                  const std::string& photo = kPng) const {
        return client.postMultipart("/api/wl/executeRegistration",
                                    {{"data", data.dump(), "", "application/json; charset=utf-8"},
                                     {"foto_identitas", identity, "ktp.jpg", "image/jpeg"},
                                     {"photo", photo, "saya.png", "image/png"}},
                                    {{"CLIENTID", "396"}, {"OS", "WIN"}});
    }

    sumberlaras::testing::Standin standin;
    Client client{standin};
};

TEST_F(AccountTest, RegionListsLeadDownToSubDistricts) {
    std::string id;
    for (const std::string level : {"provinsi", "kota", "kecamatan", "kelurahan"}) {
        const std::string path = "/api/generic/" + level + (level == "provinsi" ? "" : "/" + id);
        const Json list = client.get(path).json();
        ASSERT_EQ(list["code"], "200") << path;
        ASSERT_FALSE(list["data"].empty()) << path;
        for (const Json& region : list["data"]) {
            EXPECT_TRUE(region["id"].is_string() && region["nama"].is_string());
        }
        id = list["data"][0]["id"];
    }
    EXPECT_EQ(client.get("/api/generic/kota/99").status, 404);
    EXPECT_EQ(client.get("/api/generic/kota/").status, 404);
}

TEST_F(AccountTest, RegistrationIsKeptOnceAndRefusedWithAReasonAfter) {
    standin.clearLog();
    const Answer accepted = submit(record("rina@contoh.id"));
    ASSERT_EQ(accepted.code(), "200") << accepted.body;
    const Json logged = standin.log()[0];
    ASSERT_EQ(logged["parts"].size(), 3u);
    EXPECT_EQ(logged["parts"][1]["filename"], "ktp.jpg");

    const Answer again = submit(record("RINA@contoh.id"));
    EXPECT_EQ(again.status, 200);
    EXPECT_EQ(again.code(), "409");

    struct Case {
        const char* name;
        Json data;
        std::string identity;
        const char* code;
    };
    Json weak = record("weak@contoh.id");
    weak["password"] = "abcdefgh";
    Json badEmail = record("tanpa-domain");
    Json missing = record("kurang@contoh.id");
    missing.erase("no_telepon");
    Json otherPartner = record("lain@contoh.id");
    otherPartner["id_mitra"] = "1";
    const std::vector<Case> cases = {
        {"weak password", weak, kJpeg, "400"},
        {"malformed e-mail", badEmail, kJpeg, "400"},
        {"not a picture", record("foto@contoh.id"), "%PDF-1.4", "400"},
        {"member missing", missing, kJpeg, "400"},
        {"other partner", otherPartner, kJpeg, "400"},
    };
    for (const Case& c : cases) {
        const Answer answer = submit(c.data, c.identity);
        EXPECT_EQ(answer.code(), c.code) << c.name;
        EXPECT_FALSE(answer.json().value("msg", "").empty()) << c.name;
    }
    const Answer noFiles = client.postMultipart("/api/wl/executeRegistration",
                                                {{"data", record("x@contoh.id").dump(), "", ""}},
                                                {{"CLIENTID", "396"}, {"OS", "WIN"}});
    EXPECT_EQ(noFiles.status, 400);
    const Answer notJson = client.postMultipart("/api/wl/executeRegistration",
                                                {{"data", "{broken", "", ""},
                                                 {"foto_identitas", kJpeg, "a.jpg", ""},
                                                 {"photo", kPng, "b.png", ""}},
                                                {{"CLIENTID", "396"}, {"OS", "WIN"}});
    EXPECT_EQ(notJson.status, 400);
}

TEST_F(AccountTest, PasswordResetKnowsTheMembers) {
    const HeaderList headers = clientHeaders("AAAA0001");
    struct Case {
        const char* username;
        const char* code;
    };
    for (const Case& c : {Case{"siti%40sumberlaras.id", "200"}, Case{"orang%40lain.id", "404"},
                          Case{"bukan-email", "400"}}) {
        const Answer answer = client.postForm("/api/wl/forgotPassword",
                                              std::string("username=") + c.username, headers);
        EXPECT_EQ(answer.status, 200) << c.username;
        EXPECT_EQ(answer.code(), c.code) << c.username;
        EXPECT_FALSE(answer.json().value("msg", "").empty()) << c.username;
    }
    EXPECT_EQ(client.postForm("/api/wl/forgotPassword", "", headers).status, 400);
}

} // namespace
} // namespace standin::testing
