#pragma once

#include <array>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "bridge/CatalogueSeams.h"
#include "tests/support/RecordingBrowserView.h"

namespace sumberlaras::testing {

using bridge::Slot;
using bridge::ViewId;

// Seven recording views and the face's own state.
class FakeFace final : public bridge::CatalogueFace {
public:
    BrowserView& view(ViewId id) override { return views[id - 1]; }
    void bringBrowserToFront(ViewId id) override { front = id; }
    void setHeaderVisible(bool visible) override { header = visible; }
    void showRegistration() override { shownWindows.push_back("register"); }
    void showForgotPassword() override { shownWindows.push_back("forgotPass"); }
    void openExternally(const std::string& url) override { opened.push_back(url); }

    RecordingBrowserView& rec(ViewId id) { return views[id - 1]; }
    std::string lastLoad(ViewId id) {
        for (auto it = rec(id).calls.rbegin(); it != rec(id).calls.rend(); ++it)
            if (it->kind == RecordingBrowserView::Call::Load)
                return it->text;
        return {};
    }
    std::string lastScript(ViewId id) {
        for (auto it = rec(id).calls.rbegin(); it != rec(id).calls.rend(); ++it)
            if (it->kind == RecordingBrowserView::Call::Script)
                return it->text;
        return {};
    }

    std::array<RecordingBrowserView, 7> views;
    ViewId front = bridge::Chromium1;
    bool header = false;
    std::vector<std::string> shownWindows;
    std::vector<std::string> opened;
};

// Records which page was written, with its arguments.
class RecordingPages final : public bridge::PageRenderer {
public:
    void renderLoginHtmlFile(BrowserView&) override { add("login"); }
    void renderHomeHtmlFile(BrowserView&, int32_t page) override {
        add("home:" + std::to_string(page));
    }
    void renderHomeDetailHtmlFile(BrowserView&, const std::string& judul) override {
        add("homeDetail:" + judul);
    }
    void renderCategoryHtmlFile(BrowserView&) override { add("category"); }
    void renderDept(BrowserView&, const std::string& id) override { add("dept:" + id); }
    void renderCategoryContent(BrowserView&, const std::string& n) override {
        add("categoryContent:" + n);
    }
    void renderSubCategoryContent(BrowserView&, const std::string& n) override {
        add("subCategoryContent:" + n);
    }
    void renderTopChart(BrowserView&, int32_t p) override { add("topChart:" + std::to_string(p)); }
    void renderLastRead(BrowserView&, int32_t p) override { add("lastRead:" + std::to_string(p)); }
    void renderLastView(BrowserView&, int32_t p) override { add("lastView:" + std::to_string(p)); }
    void renderDetailContent(BrowserView&, const std::string& from) override {
        add("detail:" + from);
    }
    void renderSearchResult(BrowserView&, int32_t p, const std::string& k,
                            const std::string& f) override {
        add("search:" + f + ":" + k + ":" + std::to_string(p));
    }
    void renderSearchKalimatResult(BrowserView&, int32_t p, const std::string& k) override {
        add("kalimat:" + k + ":" + std::to_string(p));
    }
    std::vector<std::string> rendered;

private:
    void add(std::string s) { rendered.push_back(std::move(s)); }
};

// Answers each request from a function the test sets; records the calls.
class FakeService final : public bridge::CatalogueService {
public:
    using Answer = std::function<Json(const std::string& call)>;

    std::string dataFolder() const override { return "/data"; }
    std::string baseUrl() const override { return "https://svc"; }
    JsonSlot& slot(Slot s) override { return slots[s]; }
    void setIdentity(const Json& data) override { identity = data; }

    Json LoginRequest(const std::string& u, const std::string&) override {
        return answer("login:" + u);
    }
    Json BannerRequest() override { return answer("banner"); }
    Json CategoryRequest() override { return answer("category"); }
    Json HomeRequest(int32_t page) override { return answer("home:" + std::to_string(page)); }
    Json HomeDetailRequest(const std::string& id) override { return answer("homeDetail:" + id); }
    Json CategoryContentRequest(const std::string& d, const std::string& k) override {
        return answer("categoryContent:" + d + ":" + k);
    }
    Json SubCategoryContentRequest(const std::string& d, const std::string& k) override {
        return answer("subCategoryContent:" + d + ":" + k);
    }
    Json ChartContentRequest(const std::string& t, int32_t p) override {
        return answer("chart:" + t + ":" + std::to_string(p));
    }
    Json DetailContentRequest(const std::string& id) override { return answer("detail:" + id); }
    Json SearchContentRequest(const std::string& f, const std::string& k, int32_t p) override {
        return answer("search:" + f + ":" + k + ":" + std::to_string(p));
    }
    Json SearchKalimatRequest(const std::string& k, int32_t p) override {
        return answer("kalimat:" + k + ":" + std::to_string(p));
    }
    Json Logoutrequest() override { return answer("logout"); }

    std::vector<std::string> calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

    Answer respond = [](const std::string&) {
        return Json{{"code", "200"}, {"data", Json::object()}};
    };
    std::map<Slot, JsonSlot> slots;
    Json identity;

private:
    Json answer(const std::string& call) {
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(call);
        }
        return respond(call);
    }
    std::mutex mutex_;
    std::vector<std::string> calls_;
};

// Holds the download until the test finishes it.
class FakeDownloader final : public bridge::BookDownloader {
public:
    void get(const std::string& url, Handlers h) override {
        urls.push_back(url);
        pending = std::move(h);
    }
    std::vector<std::string> urls;
    Handlers pending;
};

} // namespace sumberlaras::testing
