#pragma once

#include <string>
#include <string_view>

#include "base/JsonSlot.h"

// The page texts, built from answers without touching files or views.
// `partner` is the "data" object of the partner configuration and `base`
// the service base address.
namespace sumberlaras::pages {

std::string loginPage(const Json& partner, const std::string& base);

std::string homePage(const Json& partner, const std::string& base, const Json& banners,
                     const Json& sections, int firstRun);
// The appended sections as one line, trimmed and without CR LF.
std::string homeSections(const Json& sections, const std::string& base);
// The home page's line that runs its ready function, as homePage writes it.
std::string homeReadyLine(int firstRun);

enum class BookListKind { Section, Category, SubCategory };
std::string bookListPage(BookListKind kind, const std::string& base, const std::string& title,
                         const Json& cards);

std::string categoryPage(const Json& departments);
// The script that replaces the category boxes with those of `idDept`.
std::string departmentScript(const Json& departments, const std::string& idDept);

enum class ChartKind { TopRead, LastRead, LastView };
std::string chartPage(ChartKind kind, const Json& partner, const std::string& base,
                      const Json& rows);
std::string chartRows(ChartKind kind, const std::string& base, const Json& rows);
std::string chartLoadMoreFunction(ChartKind kind);
std::string chartLoadMoreLink(ChartKind kind, int nextPage);
// Whether a line of a chart page is its load-more link, as chartPage or
// chartLoadMoreLink wrote it; a service text never starts a line with it.
bool isChartLoadMoreLink(ChartKind kind, std::string_view line);

// Complete image addresses ("cover_file") are kept only on the service's host.
std::string detailPage(const Json& partner, const Json& detail, const std::string& from,
                       const std::string& base);

std::string searchPage(const Json& partner, const std::string& base, const Json& answer, int page,
                       const std::string& keyword, const std::string& field);
std::string sentenceSearchPage(const Json& partner, const std::string& base, const Json& answer,
                               int page, const std::string& keyword);
// ceil(total_rows / 10), never below 0.
int resultPageCount(const Json& answer);

} // namespace sumberlaras::pages
