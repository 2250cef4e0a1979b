#pragma once

#include <string>

#include "pages/BrowserView.h"
#include "base/Dialogs.h"
#include "base/JsonSlot.h"

namespace sumberlaras {

// What the page generators read: the data folder, the service address, the
// partner configuration and the dialog service. The shell fills it from
// TSawiraLib; the references must outlive the generators.
struct PageSources {
    const std::string& FPath;
    const std::string& baseUrl;
    const JsonSlot& FClientJson;
    Dialogs& dialogs;
};

// The answer slot of each page family.
struct PageSlots {
    const JsonSlot& FBannerJson;
    const JsonSlot& FHomeContentJson;
    const JsonSlot& FHomeDetailJson;
    const JsonSlot& FCategoryJson;
    const JsonSlot& FCategoryContentJson;
    const JsonSlot& FSubCategoryContentJson;
    const JsonSlot& FChartContentJson;
    const JsonSlot& FDetailContentJson;
    const JsonSlot& FSearchContentJson;
};

// Writes each catalogue page into the data folder and shows it in the view it
// is given. Every operation reports its own failures through the dialogs and
// then returns, loading nothing.
class CataloguePages {
public:
    CataloguePages(PageSources sources, PageSlots answers) : sources_(sources), answers_(answers) {}

    void renderLoginHtmlFile(BrowserView& Chr);
    void renderHomeHtmlFile(BrowserView& Chr, int Page);
    void renderHomeDetailHtmlFile(BrowserView& Chr, const std::string& Judul);
    void renderCategoryHtmlFile(BrowserView& Chr);
    void renderDept(BrowserView& Chr, const std::string& id_dept);
    void renderCategoryContent(BrowserView& Chr, const std::string& Nama);
    void renderSubCategoryContent(BrowserView& Chr, const std::string& Nama);
    void renderTopChart(BrowserView& Chr, int Page);
    void renderLastRead(BrowserView& Chr, int Page);
    void renderLastView(BrowserView& Chr, int Page);
    void renderDetailContent(BrowserView& Chr, const std::string& From);
    void renderSearchResult(BrowserView& Chr, int Page, const std::string& Keyword,
                            const std::string& Field);
    void renderSearchKalimatResult(BrowserView& Chr, int page, const std::string& keyword);

    // 1 until the first full home page has been written, 2 afterwards.
    int FirstRun = 1;

    // The page file's path in the data folder.
    std::string pageFile(const std::string& name) const;

private:
    template <typename Body> void guarded(const char* prefix, Body&& body);
    void writeAndLoad(BrowserView& Chr, const std::string& name, const std::string& text);
    void renderChart(BrowserView& Chr, int kind, int Page);

    PageSources sources_;
    PageSlots answers_;
};

} // namespace sumberlaras
