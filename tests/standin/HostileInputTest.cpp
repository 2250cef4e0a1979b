// Whatever a client sends, every endpoint answers with a JSON envelope and no
// server error, and the service stays up.
#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

TEST(HostileInputTest, EveryEndpointAnswersAnEnvelope) {
    sumberlaras::testing::Standin standin;
    const Client client(standin);
    const Session session = signIn(client, kSiti, "AAAA0001");

    const std::vector<std::string> posts = {"/api/wl/checkAppVersion",
                                            "/api/wl/executeLogin",
                                            "/api/wl/executeLogout",
                                            "/api/wl/listHomepage",
                                            "/api/wl/listHomepageDetail",
                                            "/api/wl/listContentCategory",
                                            "/api/wl/listContentSubCategory",
                                            "/api/wl/listTopRead",
                                            "/api/wl/listLastRead",
                                            "/api/wl/listLastView",
                                            "/api/wl/detailKonten",
                                            "/api/wl/searching",
                                            "/api/wl/searchingKalimat",
                                            "/api/wl/requestBaca",
                                            "/api/wl/bookReturn",
                                            "/api/wl/updateReadStatus",
                                            "/api/wl/saveAnotasi",
                                            "/api/wl/copyText",
                                            "/api/wl/forgotPassword",
                                            "/api/wl/executeRegistration"};
    const std::string huge(1 << 18, 'x');
    const std::vector<std::string> forms = {
        "",
        "a=%ff%fe&&&===&%",
        "page=99999999999&limit=-5&id_konten=-1&id_baca=0&page_index=2147483648&status=1&"
        "keyword=%00%27%22%3Cscript%3E&field=Semua&user=%ff&pass=&uuid=%0d%0a&username=%40&"
        "id_user=1&id_homepage=1e3&id_dept=%25&id_kategori=_&id_sub_kategori=*&kode=QWZ5093pmr&"
        "os=WIN&versi=4",
        "keyword=" + huge + "&page=1&field=Semua&id_konten=" + huge,
    };
    for (const std::string& path : posts) {
        for (const std::string& form : forms) {
            for (const bool json : {false, true}) {
                const Answer answer = json ? client.postJson(path, form, session.headers())
                                           : client.postForm(path, form, session.headers());
                EXPECT_EQ(answer.result, CURLE_OK) << path;
                EXPECT_LT(answer.status, 500) << path << " " << form.substr(0, 60);
                EXPECT_TRUE(answer.json().is_object()) << path << " " << answer.body.substr(0, 80);
            }
        }
    }
    for (const char* path :
         {"/api/wl/fileAnotasi/abc", "/api/wl/fileAnotasi/99999999999", "/pc/swr/%00",
          "/prod/img/cover/..%2F..%2Fca-key.pem", "/prod/img/other/x.png", "/api/generic/kota/%ff",
          "/api/wl/listBanner?x=%ff"}) {
        const Answer answer = client.get(path, session.headers());
        EXPECT_GE(answer.status, 200) << path;
        EXPECT_LT(answer.status, 500) << path;
        EXPECT_TRUE(answer.json().is_object()) << path;
    }
    EXPECT_TRUE(standin.log().is_array()); // the log survives undecodable bodies
    // The forms above included a sign-out; a fresh sign-in works as ever.
    EXPECT_EQ(client.get("/api/wl/menu", signIn(client, kSiti, "AAAA0001").headers()).code(),
              "200");
}

} // namespace
} // namespace standin::testing
