// The rules that change a page's text: escaping, pagers, first run, appends,
// the department change, the detail breadcrumb and the error reports.
#include <algorithm>
#include <functional>

#include "pages/PageBuilders.h"
#include "pages/PageFile.h"
#include "pages/PageText.h"
#include "tests/pages/PagesFixture.h"

namespace sumberlaras::testing {
namespace {

using Kind = RecordingBrowserView::Call::Kind;

size_t count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}

TEST(PageEscaping, EachContextEncodesOnlyWhatCouldBreakIt) {
    struct Case {
        std::string value, html, attr, jsArg, jsString;
    };
    const Case cases[] = {
        {"Buku biasa", "Buku biasa", "Buku biasa", "Buku biasa", "Buku biasa"},
        {"A & B <c>", "A &amp; B &lt;c&gt;", "A & B <c>", "A & B <c>", "A & B <c>"},
        {"Qur'an", "Qur'an", "Qur'an", "Qur\\'an", "Qur\\'an"},
        {"a\"b", "a&quot;b", "a&quot;b", "a\\x22b", "a\"b"},
        {"c:\\dir", "c:\\dir", "c:\\dir", "c:\\\\dir", "c:\\\\dir"},
        {"baris\r\ndua", "baris\r\ndua", "baris\r\ndua", "baris\\r\\ndua", "baris\\r\\ndua"},
        {"</script><b>", "&lt;/script&gt;&lt;b&gt;", "</script><b>", "</script><b>",
         "</script><b>"},
        {"&amp;", "&amp;amp;", "&amp;amp;", "\\x26amp;", "&amp;"},
        {"?a=1&b=2", "?a=1&amp;b=2", "?a=1&b=2", "?a=1&b=2", "?a=1&b=2"},
        {"x\xE2\x80\xA8y", "x\xE2\x80\xA8y", "x\xE2\x80\xA8y", "x\\u2028y", "x\\u2028y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(pages::html(c.value), c.html);
        EXPECT_EQ(pages::attr(c.value), c.attr);
        EXPECT_EQ(pages::jsArg(c.value), c.jsArg);
        EXPECT_EQ(pages::jsString(c.value), c.jsString);
    }
}

TEST(PageMembers, AbsentNullAndOtherTypesReadAsEmpty) {
    const Json card = Json::parse(R"({"a":"x","n":5,"f":null,"o":{},"s":" 25 ","bad":"2x"})");
    EXPECT_EQ(pages::text(card, "a"), "x");
    EXPECT_EQ(pages::text(card, "n"), "5");
    EXPECT_EQ(pages::text(card, "f"), "");
    EXPECT_EQ(pages::text(card, "o"), "");
    EXPECT_EQ(pages::text(card, "missing"), "");
    EXPECT_EQ(pages::integer(card, "s"), 25);
    EXPECT_EQ(pages::integer(card, "bad"), 0);
    EXPECT_TRUE(pages::items(card, "a").empty());
    EXPECT_TRUE(pages::items(Json::array(), "data").empty());
}

TEST(PageMembers, NumbersBeyondAnIntegerReadAsZero) {
    const struct {
        const char* value;
        long long read;
    } cases[] = {
        {"25.9", 25}, {"-25.9", -25}, {"1e3", 1000}, {"-9.2e18", -9200000000000000000LL},
        {"1e300", 0}, {"-1e300", 0},  {"9.3e18", 0}, {"-9.3e18", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const Json answer = Json::parse(std::string(R"({"total_rows":)") + c.value + "}");
        EXPECT_EQ(pages::integer(answer, "total_rows"), c.read);
        EXPECT_EQ(pages::count(answer, "total_rows"), std::to_string(c.read));
    }
    EXPECT_EQ(pages::resultPageCount(Json::parse(R"({"total_rows":1e300})")), 0);
}

TEST(PageAddress, FileUrlIsAbsoluteAndEncoded) {
    EXPECT_EQ(pages::fileUrl("/tmp/data/index.html"), "file:///tmp/data/index.html");
    EXPECT_EQ(pages::fileUrl("/tmp/my data/#1?.html"), "file:///tmp/my%20data/%231%3F.html");
    const std::string relative = pages::fileUrl("x.html");
    EXPECT_EQ(relative.rfind("file:///", 0), 0u);
    EXPECT_NE(relative.find("/x.html"), std::string::npos);
}

class PageRules : public PagesFixture {};

TEST_F(PageRules, SearchPagerHasOneItemPerTenRowsWithTheShownPageActive) {
    struct Case {
        Json rows;
        int page;
        int items;
    };
    const Case cases[] = {{0, 1, 0},    {10, 1, 1}, {20, 2, 2},      {21, 3, 3},
                          {"25", 2, 3}, {"", 1, 0}, {nullptr, 1, 0}, {-4, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows.dump());
        Json answer = answers["search"];
        answer["total_rows"] = c.rows;
        search.store(answer);
        pages.renderSearchResult(view, c.page, "kota", "Penulis");
        const std::string text = page("search_result.html");
        EXPECT_EQ(count(text, "<li class=\"active\"><a href=\"#\">"), c.items ? 1u : 0u);
        EXPECT_EQ(count(text, "onClick=\"app.searchResult('kota','Penulis',"),
                  static_cast<size_t>(std::max(c.items - 1, 0)));
        if (c.items) {
            EXPECT_NE(text.find("<li class=\"active\"><a href=\"#\">" + std::to_string(c.page) +
                                "</a></li>"),
                      std::string::npos);
        }
        pages.renderSearchKalimatResult(view, c.page, "kota");
        EXPECT_EQ(count(page("search_kalimat_result.html"),
                        "onClick=\"app.searchResult('kota','Kalimat',"),
                  static_cast<size_t>(std::max(c.items - 1, 0)));
    }
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(PageRules, IntroductionWindowOnlyOnTheFirstHomePageAndOnlyWithItsText) {
    pages.renderHomeHtmlFile(view, 1);
    EXPECT_NE(page("index.html").find("$(document).ready(readyFunctionScript(1));"),
              std::string::npos);
    EXPECT_NE(page("index.html").find("<div id=\"myModal\" class=\"modal fade\">"),
              std::string::npos);
    EXPECT_EQ(pages.FirstRun, 2);
    pages.renderHomeHtmlFile(view, 1);
    EXPECT_NE(page("index.html").find("$(document).ready(readyFunctionScript(2));"),
              std::string::npos);

    Json partner = answers["client"];
    partner["data"]["keterangan_intro"] = nullptr;
    client.store(partner);
    pages.renderHomeHtmlFile(view, 1);
    EXPECT_EQ(page("index.html").find("myModal\" class"), std::string::npos);
    partner["data"].erase("keterangan_intro");
    client.store(partner);
    pages.renderHomeHtmlFile(view, 1);
    EXPECT_EQ(page("index.html").find("myModal\" class"), std::string::npos);
    ASSERT_EQ(view.calls.size(), 4u);
    EXPECT_EQ(view.calls[0].kind, Kind::Load);
    EXPECT_EQ(view.calls[0].text, url("index.html"));
}

TEST_F(PageRules, HomeAppendKeepsPageOneAddsBeforeOneMarkerAndStopsTheIntroduction) {
    pages.renderHomeHtmlFile(view, 1);
    home.store(answers["home2"]);
    pages.renderHomeHtmlFile(view, 2);
    home.store(Json::parse(R"({"code":"200","data":[{"id":"10","judul_section":"Anak",
        "rows":[{"id_konten":"900","judul":"Baris\r\nbaru"}]}]})"));
    pages.renderHomeHtmlFile(view, 3);
    const std::string text = page("index.html");
    EXPECT_EQ(count(text, "\r\n<!--KONTEN-->\r\n"), 1u);
    const size_t page1 = text.find("app.homeDetail('7',");
    const size_t page2 = text.find("app.homeDetail('9',");
    const size_t page3 = text.find("app.homeDetail('10',");
    const size_t marker = text.find("<!--KONTEN-->");
    EXPECT_LT(page1, page2);
    EXPECT_LT(page2, page3);
    EXPECT_LT(page3, marker);
    EXPECT_NE(text.find("Barisbaru"), std::string::npos) << "CR LF removed from appended text";
    EXPECT_EQ(text.find("readyFunctionScript(1)"), std::string::npos);
    EXPECT_EQ(count(text, "$(document).ready(readyFunctionScript(2));"), 1u);
    ASSERT_EQ(view.calls.size(), 3u);
    EXPECT_EQ(view.calls[1].kind, Kind::Reload);
    EXPECT_EQ(view.calls[2].kind, Kind::Reload);
}

TEST_F(PageRules, ChartAppendAdvancesTheLinkAndTotalZeroOnlyHidesIt) {
    pages.renderTopChart(view, 1);
    EXPECT_NE(page("topChart.html").find("btn-more\" onClick=\"app.loadMoreChart(2)\""),
              std::string::npos);
    chart.store(answers["chart2"]);
    pages.renderTopChart(view, 2);
    std::string text = page("topChart.html");
    EXPECT_NE(text.find("class=\"btn btn-primary btn-block\" onClick=\"app.loadMoreChart(3)\""),
              std::string::npos);
    EXPECT_EQ(text.find("loadMoreChart(2)"), std::string::npos);
    EXPECT_EQ(count(text, "\r\n<!--LAST-->\r\n"), 1u);
    EXPECT_NE(text.find("Mizan &amp; Partners"), std::string::npos);

    // An empty page with a non-zero total still moves the link on.
    chart.store(Json::parse(R"({"code":"200","total":1,"data":[]})"));
    pages.renderTopChart(view, 3);
    EXPECT_NE(page("topChart.html").find("app.loadMoreChart(4)"), std::string::npos);

    const std::string before = page("topChart.html");
    chart.store(Json::parse(R"({"code":"200","total":0,"data":[]})"));
    view.calls.clear();
    pages.renderTopChart(view, 4);
    EXPECT_EQ(page("topChart.html"), before);
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0].kind, Kind::Script);
    EXPECT_EQ(view.calls[0].text, "$(\"#btnMore\").hide()");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(PageRules, AppendsChangeOnlyThePagesOwnLinesWhateverTheServiceWrites) {
    // Service texts with the words of the lines an append rewrites, on lines of their own.
    Json sections = Json::parse(R"({"code":"200","data":[{"id":"7","rows":[]}]})");
    sections["data"][0]["judul_section"] = "$(document).ready(readyFunctionScript(1))";
    home.store(sections);
    pages.renderHomeHtmlFile(view, 1);
    home.store(answers["home2"]);
    pages.renderHomeHtmlFile(view, 2);
    std::string text = page("index.html");
    EXPECT_NE(text.find("<h2 class=\"title-section\">$(document).ready(readyFunctionScript(1))"
                        "</h2>"),
              std::string::npos);
    EXPECT_EQ(count(text, "$(document).ready(readyFunctionScript(2));"), 1u);

    Json rows = Json::parse(R"({"code":"200","total":1,"data":[{"id_konten":"401"}]})");
    rows["data"][0]["judul"] = "app.loadMoreChart";
    rows["data"][0]["sinopsis"] = "APP.LOADMORECHART(9)";
    chart.store(rows);
    pages.renderTopChart(view, 1);
    chart.store(answers["chart2"]);
    pages.renderTopChart(view, 2);
    text = page("topChart.html");
    EXPECT_EQ(count(text, "id=\"loadMore\""), 1u);
    EXPECT_NE(text.find("')\">app.loadMoreChart</a></h3>"), std::string::npos);
    EXPECT_NE(text.find("\r\nAPP.LOADMORECHART(9)\r\n"), std::string::npos);
    EXPECT_NE(text.find("onClick=\"app.loadMoreChart(3)\">Selebihnya</a>"), std::string::npos);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(PageRules, ChartAppendReloadsThenShowsTheLink) {
    pages.renderLastRead(view, 1);
    pages.renderLastRead(view, 2);
    ASSERT_EQ(view.calls.size(), 3u);
    EXPECT_EQ(view.calls[0].kind, Kind::Load);
    EXPECT_EQ(view.calls[1].kind, Kind::Reload);
    EXPECT_EQ(view.calls[2].text, "$(\"#btnMore\").show()");
    EXPECT_NE(page("topChart.html").find("app.loadMoreLastRead(3)"), std::string::npos);
}

TEST_F(PageRules, AnotherChartReplacesTheSharedFile) {
    pages.renderTopChart(view, 1);
    pages.renderLastView(view, 1);
    const std::string text = page("topChart.html");
    EXPECT_NE(text.find("<li class=\"breadcrumb-item active\">Terakhir Dilihat</li>"),
              std::string::npos);
    EXPECT_EQ(text.find("Banyak Dibaca"), std::string::npos);
    EXPECT_EQ(text.find("rating-detail"), std::string::npos);
    EXPECT_EQ(text.find("btn-baca"), std::string::npos);
}

TEST_F(PageRules, DepartmentChangeRunsAScriptAndLeavesTheFileAlone) {
    pages.renderCategoryHtmlFile(view);
    const std::string before = page("category.html");
    pages.renderDept(view, "D4");
    pages.renderDept(view, "no-such");
    pages.renderDept(view, "d1"); // exact comparison
    EXPECT_EQ(page("category.html"), before);
    ASSERT_EQ(view.calls.size(), 4u);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(view.calls[i].kind, Kind::Script);
        EXPECT_EQ(view.calls[i].text, "$(\"#categoryContainer\").html('');");
    }
}

TEST_F(PageRules, DetailBreadcrumbFollowsWhereItWasOpenedFrom) {
    struct Case {
        const char* from;
        std::string middle;
    };
    const Case cases[] = {
        {"home", ""},
        {"homeSection", "<a href=\"#\" onClick=\"app.backToSection()\">Section</a>"},
        {"category", "<a href=\"#\" onClick=\"app.backToCategory()\">Kategori</a>"},
        {"chart", "<a href=\"#\" onClick=\"app.backToChart()\">History</a>"},
        {"search", "<a href=\"#\" onClick=\"app.backToSearch()\">Pencarian</a>"},
        {"Home", "-"},
        {"", "-"},
    };
    const std::string homeItem =
        "<li class=\"breadcrumb-item\"><a href=\"#\" onClick=\"app.back()\">Home</a></li>\r\n";
    const std::string active = "<li class=\"breadcrumb-item active\">Ronggeng Dukuh Paruk</li>\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        pages.renderDetailContent(view, c.from);
        const std::string text = page("detail.html");
        std::string expected = "<ol class=\"breadcrumb\">\r\n";
        if (c.middle != "-") {
            expected += homeItem;
            if (!c.middle.empty())
                expected += "<li class=\"breadcrumb-item\">" + c.middle + "</li>\r\n";
            expected += active;
        }
        expected += "</ol>\r\n";
        EXPECT_NE(text.find(expected), std::string::npos);
        EXPECT_NE(text.find("onClick=\"app.baca('501')\""), std::string::npos);
        EXPECT_NE(text.find("<span>:</span> 0/3</td>"), std::string::npos);
    }
}

TEST_F(PageRules, EmptyThemeColourStillWritesThePage) {
    Json partner = answers["client"];
    partner["data"]["warna_header"] = "";
    client.store(partner);
    pages.renderTopChart(view, 1);
    EXPECT_NE(page("topChart.html").find("background-color: ;"), std::string::npos);
    EXPECT_EQ(view.calls.size(), 1u);
}

TEST_F(PageRules, MissingAnswersGiveEmptyPages) {
    for (JsonSlot* slot : {&banner, &home, &homeDetail, &category, &chart, &detail, &search})
        slot->store(Json::parse(R"(["not", "an", "object"])"));
    client.clear();
    pages.renderLoginHtmlFile(view);
    pages.renderHomeHtmlFile(view, 1);
    pages.renderHomeDetailHtmlFile(view, "x");
    pages.renderCategoryHtmlFile(view);
    pages.renderTopChart(view, 1);
    pages.renderDetailContent(view, "home");
    pages.renderSearchResult(view, 1, "k", "Semua");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(view.calls.size(), 7u);
    EXPECT_NE(page("search_result.html").find("( Found :  Records )"), std::string::npos);
}

TEST_F(PageRules, EveryFailureIsReportedWithItsOwnPrefixAndLoadsNothing) {
    struct Case {
        const char* prefix;
        std::function<void(CataloguePages&, BrowserView&)> render;
    };
    const Case cases[] = {
        {"Error Exception #660 : ", [](auto& p, auto& v) { p.renderLoginHtmlFile(v); }},
        {"Error Exception #798: ", [](auto& p, auto& v) { p.renderHomeHtmlFile(v, 1); }},
        {"Error Exception #798: ", [](auto& p, auto& v) { p.renderHomeHtmlFile(v, 2); }},
        {"Error Exception #1006 ", [](auto& p, auto& v) { p.renderHomeDetailHtmlFile(v, "x"); }},
        {"Error Exception #1270 : ", [](auto& p, auto& v) { p.renderCategoryHtmlFile(v); }},
        {"Error Exception #1465 ", [](auto& p, auto& v) { p.renderCategoryContent(v, "x"); }},
        {"Error Exception #1606 : ", [](auto& p, auto& v) { p.renderSubCategoryContent(v, "x"); }},
        {"Error Exception #1951 : ", [](auto& p, auto& v) { p.renderTopChart(v, 1); }},
        {"Error Exception #1951 : ", [](auto& p, auto& v) { p.renderTopChart(v, 2); }},
        {"Error Exception #2289 : ", [](auto& p, auto& v) { p.renderLastRead(v, 1); }},
        {"Error Exception #2280: ", [](auto& p, auto& v) { p.renderLastView(v, 1); }},
        {"Error Exception #2764 : ", [](auto& p, auto& v) { p.renderDetailContent(v, "home"); }},
        {"Error Exception #3216 : ",
         [](auto& p, auto& v) { p.renderSearchResult(v, 1, "k", "Semua"); }},
        {"Error Exception #3391 : ",
         [](auto& p, auto& v) { p.renderSearchKalimatResult(v, 1, "k"); }},
    };
    folder = "/nonexistent-pages-folder";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        dialogs.clear();
        view.calls.clear();
        c.render(pages, view);
        const auto shown = dialogs.shown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].kind, DialogKind::Error);
        EXPECT_EQ(shown[0].text.rfind(c.prefix, 0), 0u) << shown[0].text;
        EXPECT_GT(shown[0].text.size(), std::string(c.prefix).size());
        EXPECT_TRUE(view.calls.empty());
    }
}

} // namespace
} // namespace sumberlaras::testing
