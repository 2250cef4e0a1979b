#include "pages/CataloguePages.h"

#include <exception>
#include <stdexcept>

#include "pages/PageBuilders.h"
#include "pages/PageFile.h"
#include "pages/PageText.h"

namespace sumberlaras {

namespace {

// The answer held by a slot, or an empty object when there is none yet.
JsonPtr answerOf(const JsonSlot& slot) {
    JsonPtr answer = slot.get();
    if (!answer || !answer->is_object())
        return std::make_shared<const Json>(Json::object());
    return answer;
}

struct ChartOperation {
    pages::ChartKind kind;
    const char* prefix;
};

constexpr ChartOperation kCharts[] = {
    {pages::ChartKind::TopRead, "Error Exception #1951 : "},
    {pages::ChartKind::LastRead, "Error Exception #2289 : "},
    {pages::ChartKind::LastView, "Error Exception #2280: "},
};

} // namespace

std::string CataloguePages::pageFile(const std::string& name) const {
    return pages::pagePath(sources_.FPath, name);
}

template <typename Body> void CataloguePages::guarded(const char* prefix, Body&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        sources_.dialogs.error(prefix + std::string(e.what()));
    } catch (...) {
        sources_.dialogs.error(prefix + std::string("unknown failure"));
    }
}

void CataloguePages::writeAndLoad(BrowserView& Chr, const std::string& name,
                                  const std::string& text) {
    const std::string path = pageFile(name);
    pages::writePageFile(path, text);
    Chr.load(pages::fileUrl(path));
}

void CataloguePages::renderLoginHtmlFile(BrowserView& Chr) {
    guarded("Error Exception #660 : ", [&] {
        const JsonPtr client = answerOf(sources_.FClientJson);
        writeAndLoad(Chr, "login.html",
                     pages::loginPage(pages::object(*client, "data"), sources_.baseUrl));
    });
}

void CataloguePages::renderHomeHtmlFile(BrowserView& Chr, int Page) {
    guarded("Error Exception #798: ", [&] {
        const JsonPtr home = answerOf(answers_.FHomeContentJson);
        const Json& sections = pages::items(*home, "data");
        if (Page <= 1) {
            const JsonPtr client = answerOf(sources_.FClientJson);
            const JsonPtr banners = answerOf(answers_.FBannerJson);
            const std::string path = pageFile("index.html");
            pages::writePageFile(
                path, pages::homePage(pages::object(*client, "data"), sources_.baseUrl,
                                      pages::items(*banners, "data"), sections, FirstRun));
            if (FirstRun == 1)
                FirstRun = 2;
            Chr.load(pages::fileUrl(path));
            return;
        }
        const std::string path = pageFile("index.html");
        std::vector<std::string> lines = pages::readPageLines(path);
        if (!pages::insertBeforeMarker(lines, "<!--KONTEN-->",
                                       pages::homeSections(sections, sources_.baseUrl)))
            throw std::runtime_error("the home page has no place for more sections");
        // Only the page's own line: a service text may say the same words.
        for (auto& line : lines) {
            if (line == pages::homeReadyLine(1))
                line = pages::homeReadyLine(2) + "\r\n";
        }
        pages::writePageLines(path, lines);
        Chr.reload();
    });
}

void CataloguePages::renderHomeDetailHtmlFile(BrowserView& Chr, const std::string& Judul) {
    guarded("Error Exception #1006 ", [&] {
        const JsonPtr answer = answerOf(answers_.FHomeDetailJson);
        writeAndLoad(Chr, "index_detail.html",
                     pages::bookListPage(pages::BookListKind::Section, sources_.baseUrl, Judul,
                                         pages::items(*answer, "data")));
    });
}

void CataloguePages::renderCategoryHtmlFile(BrowserView& Chr) {
    guarded("Error Exception #1270 : ", [&] {
        const JsonPtr answer = answerOf(answers_.FCategoryJson);
        writeAndLoad(Chr, "category.html",
                     pages::categoryPage(pages::items(*answer, "data_departemen")));
    });
}

void CataloguePages::renderDept(BrowserView& Chr, const std::string& id_dept) {
    guarded("Error Exception #1187 : ", [&] {
        const JsonPtr answer = answerOf(answers_.FCategoryJson);
        Chr.runScript(pages::departmentScript(pages::items(*answer, "data_departemen"), id_dept));
    });
}

void CataloguePages::renderCategoryContent(BrowserView& Chr, const std::string& Nama) {
    guarded("Error Exception #1465 ", [&] {
        const JsonPtr answer = answerOf(answers_.FCategoryContentJson);
        writeAndLoad(Chr, "category_detail.html",
                     pages::bookListPage(pages::BookListKind::Category, sources_.baseUrl, Nama,
                                         pages::items(*answer, "data")));
    });
}

void CataloguePages::renderSubCategoryContent(BrowserView& Chr, const std::string& Nama) {
    guarded("Error Exception #1606 : ", [&] {
        const JsonPtr answer = answerOf(answers_.FSubCategoryContentJson);
        writeAndLoad(Chr, "subCategoryDetail.html",
                     pages::bookListPage(pages::BookListKind::SubCategory, sources_.baseUrl, Nama,
                                         pages::items(*answer, "data")));
    });
}

void CataloguePages::renderChart(BrowserView& Chr, int kind, int Page) {
    const ChartOperation& op = kCharts[kind];
    guarded(op.prefix, [&] {
        const JsonPtr answer = answerOf(answers_.FChartContentJson);
        const Json& rows = pages::items(*answer, "data");
        const std::string path = pageFile("topChart.html");
        if (Page <= 1) {
            const JsonPtr client = answerOf(sources_.FClientJson);
            pages::writePageFile(path, pages::chartPage(op.kind, pages::object(*client, "data"),
                                                        sources_.baseUrl, rows));
            Chr.load(pages::fileUrl(path));
            return;
        }
        if (pages::integer(*answer, "total") == 0) {
            Chr.runScript("$(\"#btnMore\").hide()");
            return;
        }
        std::vector<std::string> lines = pages::readPageLines(path);
        if (!pages::insertBeforeMarker(lines, "<!--LAST-->",
                                       pages::chartRows(op.kind, sources_.baseUrl, rows)))
            throw std::runtime_error("the list page has no place for more rows");
        for (auto& line : lines) {
            if (pages::isChartLoadMoreLink(op.kind, line))
                line = pages::chartLoadMoreLink(op.kind, Page + 1);
        }
        pages::writePageLines(path, lines);
        Chr.reload();
        Chr.runScript("$(\"#btnMore\").show()");
    });
}

void CataloguePages::renderTopChart(BrowserView& Chr, int Page) {
    renderChart(Chr, 0, Page);
}
void CataloguePages::renderLastRead(BrowserView& Chr, int Page) {
    renderChart(Chr, 1, Page);
}
void CataloguePages::renderLastView(BrowserView& Chr, int Page) {
    renderChart(Chr, 2, Page);
}

void CataloguePages::renderDetailContent(BrowserView& Chr, const std::string& From) {
    guarded("Error Exception #2764 : ", [&] {
        const JsonPtr client = answerOf(sources_.FClientJson);
        const JsonPtr answer = answerOf(answers_.FDetailContentJson);
        writeAndLoad(Chr, "detail.html",
                     pages::detailPage(pages::object(*client, "data"),
                                       pages::object(*answer, "data"), From, sources_.baseUrl));
    });
}

void CataloguePages::renderSearchResult(BrowserView& Chr, int Page, const std::string& Keyword,
                                        const std::string& Field) {
    guarded("Error Exception #3216 : ", [&] {
        const JsonPtr client = answerOf(sources_.FClientJson);
        const JsonPtr answer = answerOf(answers_.FSearchContentJson);
        writeAndLoad(Chr, "search_result.html",
                     pages::searchPage(pages::object(*client, "data"), sources_.baseUrl, *answer,
                                       Page, Keyword, Field));
    });
}

void CataloguePages::renderSearchKalimatResult(BrowserView& Chr, int page,
                                               const std::string& keyword) {
    guarded("Error Exception #3391 : ", [&] {
        const JsonPtr client = answerOf(sources_.FClientJson);
        const JsonPtr answer = answerOf(answers_.FSearchContentJson);
        writeAndLoad(Chr, "search_kalimat_result.html",
                     pages::sentenceSearchPage(pages::object(*client, "data"), sources_.baseUrl,
                                               *answer, page, keyword));
    });
}

} // namespace sumberlaras
