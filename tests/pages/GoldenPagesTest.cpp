// Every page family against its complete expected text, byte for byte.
// PAGES_UPDATE_GOLDEN=1 rewrites the expected files (review the diff!).
#include <cstdlib>
#include <functional>

#include "tests/pages/PagesFixture.h"

namespace sumberlaras::testing {
namespace {

struct GoldenCase {
    const char* name;   // expected text in golden/<name>
    const char* output; // page file written, or "" for the script sent to the view
    std::function<void(PagesFixture&, CataloguePages&, BrowserView&)> render;
};

class GoldenPages : public PagesFixture, public ::testing::WithParamInterface<GoldenCase> {};

const GoldenCase kCases[] = {
    {"login.html", "login.html", [](auto&, auto& p, auto& v) { p.renderLoginHtmlFile(v); }},
    {"index.html", "index.html", [](auto&, auto& p, auto& v) { p.renderHomeHtmlFile(v, 1); }},
    {"index_appended.html", "index.html",
     [](auto& f, auto& p, auto& v) {
         p.renderHomeHtmlFile(v, 1);
         f.home.store(f.answers["home2"]);
         p.renderHomeHtmlFile(v, 2);
     }},
    {"index_detail.html", "index_detail.html",
     [](auto&, auto& p, auto& v) { p.renderHomeDetailHtmlFile(v, "Sains & Teknologi"); }},
    {"category.html", "category.html",
     [](auto&, auto& p, auto& v) { p.renderCategoryHtmlFile(v); }},
    {"dept_D1.js", "", [](auto&, auto& p, auto& v) { p.renderDept(v, "D1"); }},
    {"category_detail.html", "category_detail.html",
     [](auto&, auto& p, auto& v) { p.renderCategoryContent(v, "Bahasa"); }},
    {"subCategoryDetail.html", "subCategoryDetail.html",
     [](auto&, auto& p, auto& v) { p.renderSubCategoryContent(v, "Etika"); }},
    {"topChart_top.html", "topChart.html", [](auto&, auto& p, auto& v) { p.renderTopChart(v, 1); }},
    {"topChart_top_appended.html", "topChart.html",
     [](auto& f, auto& p, auto& v) {
         p.renderTopChart(v, 1);
         f.chart.store(f.answers["chart2"]);
         p.renderTopChart(v, 2);
     }},
    {"topChart_lastRead.html", "topChart.html",
     [](auto&, auto& p, auto& v) { p.renderLastRead(v, 1); }},
    {"topChart_lastView.html", "topChart.html",
     [](auto&, auto& p, auto& v) { p.renderLastView(v, 1); }},
    {"detail.html", "detail.html",
     [](auto&, auto& p, auto& v) { p.renderDetailContent(v, "category"); }},
    {"search_result.html", "search_result.html",
     [](auto&, auto& p, auto& v) { p.renderSearchResult(v, 2, "kota", "Semua"); }},
    {"search_kalimat_result.html", "search_kalimat_result.html",
     [](auto& f, auto& p, auto& v) {
         f.search.store(f.answers["kalimat"]);
         p.renderSearchKalimatResult(v, 1, "bumi manusia");
     }},
};

TEST_P(GoldenPages, PageTextIsExact) {
    const GoldenCase& c = GetParam();
    c.render(*this, pages, view);
    ASSERT_TRUE(dialogs.shown().empty()) << dialogs.texts().front();
    std::string actual;
    if (*c.output) {
        actual = page(c.output);
    } else {
        ASSERT_FALSE(view.calls.empty());
        actual = view.calls.back().text;
    }
    const std::string goldenPath = std::string(PAGES_GOLDEN) + "/" + c.name;
    if (std::getenv("PAGES_UPDATE_GOLDEN")) {
        std::ofstream(goldenPath, std::ios::binary) << actual;
        GTEST_SKIP() << "rewrote " << goldenPath;
    }
    const std::string expected = readFile(goldenPath);
    ASSERT_FALSE(expected.empty()) << "missing " << goldenPath;
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(actual.find("\xEF\xBB\xBF"), std::string::npos) << "no byte-order mark";
}

INSTANTIATE_TEST_SUITE_P(Families, GoldenPages, ::testing::ValuesIn(kCases), [](const auto& param) {
    std::string n = param.param.name;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return n;
});

} // namespace
} // namespace sumberlaras::testing
