#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "pages/BrowserView.h"
#include "base/JsonSlot.h"

namespace sumberlaras::bridge {

// The seven views of the catalogue face, by number.
enum ViewId { Chromium1 = 1, Chromium2, Chromium3, Chromium4, Chromium5, Chromium6, Chromium7 };

// What the catalogue asks of its window.
class CatalogueFace {
public:
    virtual ~CatalogueFace() = default;
    virtual BrowserView& view(ViewId id) = 0;
    virtual void bringBrowserToFront(ViewId id) = 0;
    virtual void setHeaderVisible(bool visible) = 0;
    virtual void showRegistration() = 0;
    virtual void showForgotPassword() = 0;
    // Hands a web address to the user's browser.
    virtual void openExternally(const std::string& url) = 0;
};

// The page generators, by the names of the pages they write.
class PageRenderer {
public:
    virtual ~PageRenderer() = default;
    virtual void renderLoginHtmlFile(BrowserView& v) = 0;
    virtual void renderHomeHtmlFile(BrowserView& v, int32_t page) = 0;
    virtual void renderHomeDetailHtmlFile(BrowserView& v, const std::string& judul) = 0;
    virtual void renderCategoryHtmlFile(BrowserView& v) = 0;
    virtual void renderDept(BrowserView& v, const std::string& id) = 0;
    virtual void renderCategoryContent(BrowserView& v, const std::string& nama_kategori) = 0;
    virtual void renderSubCategoryContent(BrowserView& v, const std::string& nama_sub_kategori) = 0;
    virtual void renderTopChart(BrowserView& v, int32_t page) = 0;
    virtual void renderLastRead(BrowserView& v, int32_t page) = 0;
    virtual void renderLastView(BrowserView& v, int32_t page) = 0;
    virtual void renderDetailContent(BrowserView& v, const std::string& from) = 0;
    virtual void renderSearchResult(BrowserView& v, int32_t page, const std::string& keyword,
                                    const std::string& field) = 0;
    virtual void renderSearchKalimatResult(BrowserView& v, int32_t page,
                                           const std::string& keyword) = 0;
};

// The answer slots the catalogue fills.
enum class Slot {
    User,
    Banner,
    Category,
    HomeContent,
    HomeDetail,
    CategoryContent,
    SubCategoryContent,
    ChartContent,
    DetailContent,
    SearchContent
};

// The service client as the catalogue uses it. Request operations run on
// worker threads and never throw; slots are written on the main thread.
class CatalogueService {
public:
    virtual ~CatalogueService() = default;
    virtual std::string dataFolder() const = 0;
    virtual std::string baseUrl() const = 0;
    virtual JsonSlot& slot(Slot s) = 0;
    // Copies the signed-in identity from the "data" of a login answer.
    virtual void setIdentity(const Json& data) = 0;

    virtual Json LoginRequest(const std::string& username, const std::string& password) = 0;
    virtual Json BannerRequest() = 0;
    virtual Json CategoryRequest() = 0;
    virtual Json HomeRequest(int32_t page) = 0;
    virtual Json HomeDetailRequest(const std::string& id_homepage) = 0;
    virtual Json CategoryContentRequest(const std::string& id_dept,
                                        const std::string& id_kategori) = 0;
    virtual Json SubCategoryContentRequest(const std::string& id_dept,
                                           const std::string& id_sub_kategori) = 0;
    virtual Json ChartContentRequest(const std::string& type, int32_t page) = 0;
    virtual Json DetailContentRequest(const std::string& id_konten) = 0;
    virtual Json SearchContentRequest(const std::string& field, const std::string& keyword,
                                      int32_t page) = 0;
    virtual Json SearchKalimatRequest(const std::string& keyword, int32_t page) = 0;
    virtual Json Logoutrequest() = 0;
};

// Fetches a book document into memory. Exactly one of the two ends is
// called, on the main thread; `progress` may be called before.
class BookDownloader {
public:
    struct Handlers {
        std::function<void(int64_t received, int64_t total)> progress;
        std::function<void(long status, std::shared_ptr<const std::string> body)> completed;
        std::function<void(const std::string& description)> failed;
    };
    virtual ~BookDownloader() = default;
    virtual void get(const std::string& url, Handlers handlers) = 0;
};

} // namespace sumberlaras::bridge
