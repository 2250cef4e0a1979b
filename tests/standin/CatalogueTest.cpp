// The catalogue as the pages read it: paging, trees, details, search, files.
#include <set>

#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        standin = new sumberlaras::testing::Standin();
        client = new Client(*standin);
        session = signIn(*client, kBudi, "AAAA0001");
    }
    static void TearDownTestSuite() {
        delete client;
        delete standin;
    }
    static Json post(const std::string& path, const std::string& form) {
        return client->postForm(path, form, session.headers()).json();
    }

    static inline sumberlaras::testing::Standin* standin = nullptr;
    static inline Client* client = nullptr;
    static inline Session session;
};

TEST_F(CatalogueTest, HomeSectionsComeInPagesOfTenTenAndFive) {
    std::set<std::string> ids;
    for (const auto& [page, total] : {std::pair{1, 10}, {2, 10}, {3, 5}, {4, 0}}) {
        const Json home =
            post("/api/wl/listHomepage", "page=" + std::to_string(page) + "&limit=10");
        EXPECT_EQ(home["count"], 25);
        EXPECT_EQ(home["total"], total) << "page " << page;
        for (const Json& section : home["data"]) {
            ids.insert(section["id"].get<std::string>());
            EXPECT_FALSE(section["judul_section"].get<std::string>().empty());
            EXPECT_FALSE(section["rows"].empty());
            const Json detail = post("/api/wl/listHomepageDetail",
                                     "id_homepage=" + section["id"].get<std::string>() + "&page=1");
            EXPECT_EQ(detail["data"].size(), section["rows"].size());
        }
    }
    EXPECT_EQ(ids.size(), 25u);
}

TEST_F(CatalogueTest, MenuHoldsTheDepartmentsThePageFilters) {
    const Json menu = client->get("/api/wl/menu", session.headers()).json();
    bool empty = false, nonCollection = false, planned = false;
    for (const Json& dept : menu["data_departemen"]) {
        EXPECT_EQ(dept["total_kategori"], dept["data_kategori"].size());
        empty |= dept["total_kategori"] == 0;
        nonCollection |= dept["nama_departemen"] == "BUKU NON KOLEKSI";
        planned |= dept["nama_departemen"] == "RENCANA PENGADAAN";
        for (const Json& category : dept["data_kategori"]) {
            const Json books =
                post("/api/wl/listContentCategory",
                     "id_dept=" + dept["id_departemen"].get<std::string>() +
                         "&id_kategori=" + category["id_kategori"].get<std::string>());
            EXPECT_EQ(books["code"], "200");
            for (const Json& sub : category["data_sub_kategori"]) {
                EXPECT_EQ(post("/api/wl/listContentSubCategory",
                               "id_dept=" + dept["id_departemen"].get<std::string>() +
                                   "&id_sub_kategori=" +
                                   sub["id_sub_kategori"].get<std::string>())["code"],
                          "200");
            }
        }
    }
    EXPECT_TRUE(empty && nonCollection && planned);
    EXPECT_FALSE(post("/api/wl/listContentCategory", "id_dept=2&id_kategori=21")["data"].empty());
    EXPECT_EQ(
        client
            ->postForm("/api/wl/listContentCategory", "id_dept=1&id_kategori=21", session.headers())
            .status,
        404);
}

TEST_F(CatalogueTest, BannersCoverEveryKindOfLink) {
    const Json banners = client->get("/api/wl/listBanner", session.headers()).json()["data"];
    bool absent = false, null = false, hash = false, empty = false, link = false;
    for (const Json& banner : banners) {
        if (!banner.contains("url_link")) {
            absent = true;
        } else if (banner["url_link"].is_null()) {
            null = true;
        } else {
            const std::string url = banner["url_link"];
            hash |= url == "#";
            empty |= url.empty();
            link |= url.rfind("https://", 0) == 0;
        }
        EXPECT_EQ(client->get("/prod/img/banner/" + banner["img"].get<std::string>()).status, 200);
    }
    EXPECT_TRUE(absent && null && hash && empty && link);
}

TEST_F(CatalogueTest, ChartsPageByTenAndReportZeroPastTheEnd) {
    for (const char* path :
         {"/api/wl/listTopRead", "/api/wl/listLastRead", "/api/wl/listLastView"}) {
        const Json first = post(path, "page=1");
        EXPECT_EQ(first["code"], "200") << path;
        EXPECT_EQ(first["total"], first["data"].size()) << path;
        EXPECT_EQ(post(path, "page=99")["total"], 0) << path;
    }
    EXPECT_EQ(post("/api/wl/listTopRead", "page=5")["total"], 8);
    // Viewing a detail puts the book on top of the member's last-viewed list.
    post("/api/wl/detailKonten", "id_konten=133");
    const Json viewed = post("/api/wl/listLastView", "page=1");
    ASSERT_FALSE(viewed["data"].empty());
    EXPECT_EQ(viewed["data"][0]["id_konten"], "133");
    for (const char* member : {"penerbit", "isbn", "sinopsis", "stok", "qty", "nilai_rate"}) {
        EXPECT_TRUE(viewed["data"][0].contains(member)) << member;
    }
}

TEST_F(CatalogueTest, EveryBookHasItsDetailCoverAndDocument) {
    int withFrontMatter = 0, withMissingStyle = 0;
    for (int id = 101; id <= 148; ++id) {
        const Json detail = post("/api/wl/detailKonten", "id_konten=" + std::to_string(id));
        ASSERT_EQ(detail["code"], "200") << id;
        const Json& data = detail["data"];
        EXPECT_EQ(data["id"], std::to_string(id));
        EXPECT_GT(data["halaman_total"].get<int>(), data["halaman_romawi"].get<int>());
        withFrontMatter += data["halaman_romawi"].get<int>() > 0;
        for (const char* style : {"mla_style", "chicago_style", "turabian_style", "apa_style",
                                  "harvard_style", "ieee_style"}) {
            EXPECT_FALSE(data[style].get<std::string>().empty());
            withMissingStyle += data[style] == "N/A";
        }
        if (id % 12 == 1) { // a sample of the files, to keep the run short
            const std::string cover = data["cover_file"];
            ASSERT_EQ(cover.rfind(standin->baseUrl() + "/prod/img/cover/", 0), 0u);
            const Answer png = client->get(cover.substr(standin->baseUrl().size()));
            EXPECT_EQ(png.body.substr(0, 8), "\x89PNG\r\n\x1a\n");
            const Answer pdf = client->get("/pc/swr/" + data["nama_pc_file"].get<std::string>());
            EXPECT_EQ(pdf.body.substr(0, 5), "%PDF-");
            EXPECT_NE(pdf.body.find("/Count " + std::to_string(data["halaman_total"].get<int>())),
                      std::string::npos);
        }
    }
    EXPECT_GT(withFrontMatter, 5);
    EXPECT_GT(withMissingStyle, 5);
    EXPECT_EQ(client->get("/pc/swr/..%2Fstandin.sqlite").status, 404);
    EXPECT_EQ(client->get("/pc/swr/buku-SL-999.pdf").status, 404);
    EXPECT_EQ(client->get("/prod/img/cover/cover-999.png").status, 404);
}

TEST_F(CatalogueTest, SearchByFieldCountsAllHitsAndPagesByTen) {
    struct Case {
        const char* field;
        const char* keyword;
        int atLeast;
    };
    for (const Case& c : {Case{"Penulis", "santoso", 1}, Case{"Penerbit", "Laras Media", 8},
                          Case{"ISBN", "978-602", 48}, Case{"ISBN", "978602", 48},
                          Case{"Semua", "a", 48}, Case{"Semua", "100%_", 0}}) {
        const Json first = post("/api/wl/searching",
                                std::string("page=1&keyword=") + c.keyword + "&field=" + c.field);
        ASSERT_EQ(first["code"], "200") << c.field << " " << c.keyword;
        const int total = first["total_rows"];
        EXPECT_GE(total, c.atLeast) << c.field << " " << c.keyword;
        EXPECT_EQ(first["data"].size(), std::min(total, 10)) << c.field;
        int seen = 0;
        for (int page = 1; (page - 1) * 10 < total; ++page) {
            seen += static_cast<int>(post("/api/wl/searching", "page=" + std::to_string(page) +
                                                                   "&keyword=" + c.keyword +
                                                                   "&field=" + c.field)["data"]
                                         .size());
        }
        EXPECT_EQ(seen, total) << c.field << " " << c.keyword;
    }
    EXPECT_EQ(
        client->postForm("/api/wl/searching", "page=1&keyword=a&field=Judul", session.headers())
            .status,
        400);
}

TEST_F(CatalogueTest, SentenceSearchFindsPagesOfTheBooksText) {
    const Json first = post("/api/wl/searchingKalimat", "page=1&keyword=Jantung Pengetahuan");
    ASSERT_EQ(first["code"], "200");
    EXPECT_GT(first["total_rows"].get<int>(), 10);
    ASSERT_EQ(first["data"].size(), 10u);
    for (const Json& hit : first["data"]) {
        for (const char* member : {"id", "img", "judul", "halaman", "hal_txt", "hal_idx"}) {
            EXPECT_TRUE(hit.contains(member)) << member;
        }
        EXPECT_NE(hit["hal_txt"].get<std::string>().find("<b>jantung pengetahuan</b>"),
                  std::string::npos);
        EXPECT_GT(std::stoi(hit["hal_idx"].get<std::string>()), 0);
    }
    const Json nothing = post("/api/wl/searchingKalimat", "page=1&keyword=tidak ada kalimat ini");
    EXPECT_EQ(nothing["total_rows"], 0);
    EXPECT_TRUE(nothing["data"].empty());
    // Hostile text comes back escaped, never as markup.
    const Json hostile = post("/api/wl/searchingKalimat", "page=1&keyword=%3Cscript%3E");
    EXPECT_EQ(hostile["total_rows"], 0);
}

TEST_F(CatalogueTest, MalformedCatalogueRequestsGetAFailureEnvelope) {
    struct Case {
        const char* path;
        const char* form;
        long status;
    };
    for (const Case& c :
         {Case{"/api/wl/listHomepage", "page=1", 400},
          Case{"/api/wl/listHomepage", "page=x&limit=10", 400},
          Case{"/api/wl/listHomepage", "page=0&limit=10", 400},
          Case{"/api/wl/detailKonten", "", 400},
          Case{"/api/wl/detailKonten", "id_konten=1%27%20OR%201=1", 400},
          Case{"/api/wl/detailKonten", "id_konten=999999", 404},
          Case{"/api/wl/listHomepageDetail", "id_homepage=77&page=1", 404},
          Case{"/api/wl/listTopRead", "page=-1", 400}, Case{"/api/wl/tidakAda", "", 404}}) {
        const Answer answer = client->postForm(c.path, c.form, session.headers());
        EXPECT_EQ(answer.status, c.status) << c.path << " " << c.form;
        EXPECT_TRUE(answer.json().is_object()) << c.path;
        EXPECT_EQ(answer.code(), std::to_string(c.status)) << c.path << " " << c.form;
    }
}

} // namespace
} // namespace standin::testing
