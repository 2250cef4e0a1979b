#pragma once

#include <string>
#include <string_view>

#include "pages/PageFile.h"
#include "base/JsonSlot.h"

namespace sumberlaras::pages {

// The two meta elements every page head carries after its charset.
inline constexpr std::string_view kCompatMeta =
    "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\"><meta name=\"viewport\" "
    "content=\"width=device-width, initial-scale=1\">";

// Which theme rule parts a themed page writes into its style block.
enum ThemePart : unsigned {
    ThemeHeader = 1u << 0,
    ThemeList = 1u << 1,
    ThemeReadButton = 1u << 2,
    ThemeLoadMore = 1u << 3,
    ThemeCategoryTab = 1u << 4,
};
void writeThemeRules(PageText& page, const Json& partner, unsigned parts);

// The home, chart, search and sentence-search heads of the shared page header.
enum class HeaderVariant { Home, Chart, Search, SentenceSearch };
void writePageHeader(PageText& page, HeaderVariant variant, const std::string& base,
                     const Json& partner, const std::string& keyword = {});

// The five style sheets of the themed and list pages.
void writeListStyleSheets(PageText& page);

// The five library includes, optionally with the two comment lines and main.js.
void writeLibraryIncludes(PageText& page, bool withComments, bool withMain);

// The book card of the home, section, category and search pages.
struct CardStyle {
    std::string_view clickFunction; // e.g. "app.detail"
    bool escapeTitleAndAuthor;
    bool oneLine; // appended cards have no line breaks
};
std::string bookCard(const Json& card, const std::string& base, const CardStyle& style);

// The rating and lazy-load ready script; the home page's variant takes the
// first-run flag.
std::string readyFunctionScript();
std::string homeReadyFunctionScript();

// The submit handler of the header's search form.
std::string_view searchSubmitScript();

} // namespace sumberlaras::pages
