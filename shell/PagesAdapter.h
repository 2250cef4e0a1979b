#pragma once

#include "bridge/CatalogueSeams.h"
#include "pages/CataloguePages.h"

namespace sumberlaras {

// The catalogue's page renderer over the page generators.
class PagesAdapter final : public bridge::PageRenderer {
public:
    explicit PagesAdapter(CataloguePages& pages) : p_(pages) {}
    void renderLoginHtmlFile(BrowserView& v) override { p_.renderLoginHtmlFile(v); }
    void renderHomeHtmlFile(BrowserView& v, int32_t page) override {
        p_.renderHomeHtmlFile(v, page);
    }
    void renderHomeDetailHtmlFile(BrowserView& v, const std::string& judul) override {
        p_.renderHomeDetailHtmlFile(v, judul);
    }
    void renderCategoryHtmlFile(BrowserView& v) override { p_.renderCategoryHtmlFile(v); }
    void renderDept(BrowserView& v, const std::string& id) override { p_.renderDept(v, id); }
    void renderCategoryContent(BrowserView& v, const std::string& n) override {
        p_.renderCategoryContent(v, n);
    }
    void renderSubCategoryContent(BrowserView& v, const std::string& n) override {
        p_.renderSubCategoryContent(v, n);
    }
    void renderTopChart(BrowserView& v, int32_t page) override { p_.renderTopChart(v, page); }
    void renderLastRead(BrowserView& v, int32_t page) override { p_.renderLastRead(v, page); }
    void renderLastView(BrowserView& v, int32_t page) override { p_.renderLastView(v, page); }
    void renderDetailContent(BrowserView& v, const std::string& from) override {
        p_.renderDetailContent(v, from);
    }
    void renderSearchResult(BrowserView& v, int32_t page, const std::string& keyword,
                            const std::string& field) override {
        p_.renderSearchResult(v, page, keyword, field);
    }
    void renderSearchKalimatResult(BrowserView& v, int32_t page,
                                   const std::string& keyword) override {
        p_.renderSearchKalimatResult(v, page, keyword);
    }

private:
    CataloguePages& p_;
};

} // namespace sumberlaras
