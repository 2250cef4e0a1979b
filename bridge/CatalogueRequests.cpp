#include <exception>

#include "base/LogCategories.h"
#include "bridge/Catalogue.h"

namespace sumberlaras::bridge {

namespace {

const char* kAuthPada = "Authentication Error : Akun Anda Digunakan Pada Perangkat Lain";
const char* kAuthDi = "Authentication Error : Akun Anda Digunakan Di Perangkat Lain";

std::string memberText(const JsonPtr& j, const char* name) {
    if (!j || !j->is_object())
        return {};
    auto it = j->find(name);
    if (it == j->end())
        return {};
    if (it->is_string())
        return it->get<std::string>();
    if (it->is_number_integer())
        return std::to_string(it->get<int64_t>());
    return {};
}

int32_t memberInt(const JsonPtr& j, const char* name) {
    if (!j || !j->is_object())
        return 0;
    auto it = j->find(name);
    if (it == j->end())
        return 0;
    if (it->is_number_integer())
        return static_cast<int32_t>(it->get<int64_t>());
    if (it->is_string()) {
        try {
            return static_cast<int32_t>(std::stol(it->get<std::string>()));
        } catch (const std::exception&) {
            return 0;
        }
    }
    return 0;
}

bool hasCode(const JsonPtr& j) {
    return j && j->is_object() && j->contains("code");
}

} // namespace

TaskHandle Catalogue::request(Slot slot, std::string label, TaskParams params, Call call,
                              Completion done, bool hold) {
    const uint64_t generation = ++generation_[slot];
    const uint64_t serial = ++serial_;
    auto answer = std::make_shared<Json>();
    std::weak_ptr<int> alive = alive_;
    CatalogueService* service = &d_.service;

    TaskSpec spec;
    spec.label = std::move(label);
    spec.params = std::move(params);
    spec.worker = [service, call, answer](Task& t) {
        try {
            *answer = call(*service, t.params());
        } catch (const std::exception& e) {
            *answer = Json{{"code", "500"}, {"msg", e.what()}};
        }
    };
    spec.onCompleted = [this, alive, slot, generation, serial, answer, done](Task& t) {
        if (alive.expired())
            return;
        completing_.current = generation_[slot] == generation;
        completing_.serial = serial;
        // Only a current answer replaces the slot, and only here on the main
        // thread, so two requests of one kind never write it at once.
        if (completing_.current && !RequestCancelled)
            d_.service.slot(slot).store(std::move(*answer));
        try {
            (this->*done)(t);
        } catch (const std::exception& e) {
            qCWarning(lcBridge, "completion of %s failed: %s", t.label().c_str(), e.what());
        }
    };
    TaskHandle handle = d_.tasks.start(std::move(spec));
    if (hold) {
        FTaskControl = handle;
        heldSerial_ = serial;
    }
    return handle;
}

bool Catalogue::prologue() {
    if (heldSerial_ == completing_.serial) {
        FTaskControl.reset();
        heldSerial_ = 0;
    }
    return !RequestCancelled && completing_.current;
}

std::string Catalogue::code(Slot s) const {
    return memberText(d_.service.slot(s).get(), "code");
}
std::string Catalogue::msg(Slot s) const {
    return memberText(d_.service.slot(s).get(), "msg");
}
bool Catalogue::authFailed(Slot s) const {
    return code(s) == "500" && msg(s) == "Auth Failed";
}

void Catalogue::backToLogin(bool bringFront) {
    if (bringFront)
        bringToFront(Chromium1);
    loadDataPage(Chromium1, "login.html");
}

// Login chain -------------------------------------------------------------

void Catalogue::signInStepFailed(Slot s) {
    // An answer without "code" is not an answer of the service; say so rather
    // than leave the waiting page up.
    const std::string text =
        hasCode(d_.service.slot(s).get()) ? msg(s) : "Jawaban layanan tidak dikenali";
    d_.dialogs.warning(text);
    loadDataPage(Chromium1, "login.html");
}

void Catalogue::LoginRequestTerminated(Task&) {
    if (!prologue())
        return;
    if (code(Slot::User) != "200") {
        signInStepFailed(Slot::User);
        return;
    }
    d_.face.setHeaderVisible(true);
    const JsonPtr user = d_.service.slot(Slot::User).get();
    const auto data = user->find("data");
    d_.service.setIdentity(data != user->end() && data->is_object() ? *data : Json::object());
    if (onSignedIn)
        onSignedIn();
    request(
        Slot::Banner, "BannerRequest", {},
        [](CatalogueService& s, const TaskParams&) { return s.BannerRequest(); },
        &Catalogue::BannerRequestTerminated);
}

void Catalogue::BannerRequestTerminated(Task&) {
    if (!prologue())
        return;
    if (code(Slot::Banner) != "200") {
        signInStepFailed(Slot::Banner);
        return;
    }
    request(
        Slot::Category, "CategoryRequest", {},
        [](CatalogueService& s, const TaskParams&) { return s.CategoryRequest(); },
        &Catalogue::CategoryRequestTerminated);
}

void Catalogue::CategoryRequestTerminated(Task&) {
    if (!prologue())
        return;
    if (code(Slot::Category) != "200") {
        signInStepFailed(Slot::Category);
        return;
    }
    PageHome = 1;
    TotalHomeContent = 0;
    CountHomeContent = 0;
    TaskParams p;
    p.set("page", PageHome);
    request(
        Slot::HomeContent, "HomeRequest", std::move(p),
        [](CatalogueService& s, const TaskParams& q) { return s.HomeRequest(q.integer("page")); },
        &Catalogue::HomeRequestTerminated);
}

void Catalogue::HomeRequestTerminated(Task& t) {
    if (!prologue())
        return;
    const int32_t page = t.params().integer("page");
    if (code(Slot::HomeContent) != "200") {
        // Tell the user instead of leaving the waiting ring or a dead button.
        const bool answered = hasCode(d_.service.slot(Slot::HomeContent).get());
        if (authFailed(Slot::HomeContent))
            d_.dialogs.error(kAuthPada);
        else
            d_.dialogs.error(answered ? msg(Slot::HomeContent) : "Jawaban layanan tidak dikenali");
        if (page <= 1 || authFailed(Slot::HomeContent)) {
            backToLogin(true);
        } else {
            // The page that failed may be asked for again.
            PageHome = page - 1;
            d_.face.view(Chromium1).runScript("$(\"#btnMore\").show();");
        }
        return;
    }
    const JsonPtr home = d_.service.slot(Slot::HomeContent).get();
    CountHomeContent = memberInt(home, "count");
    TotalHomeContent += memberInt(home, "total");
    d_.pages.renderHomeHtmlFile(d_.face.view(Chromium1), PageHome);
    if (TotalHomeContent >= CountHomeContent)
        d_.face.view(Chromium1).runScript("$(\"#btnMore\").hide();");
    else
        d_.face.view(Chromium1).runScript("$(\"#btnMore\").show();");
}

// Content -----------------------------------------------------------------

void Catalogue::contentFailed(Slot s, const std::string& authWording, ViewId fallback) {
    if (authFailed(s)) {
        d_.dialogs.error(authWording);
        backToLogin(true);
        return;
    }
    d_.dialogs.error(msg(s));
    bringToFront(fallback);
}

void Catalogue::HomeDetailRequestTerminated(Task& t) {
    if (!prologue())
        return;
    if (code(Slot::HomeDetail) == "200")
        d_.pages.renderHomeDetailHtmlFile(d_.face.view(Chromium2), t.params().text("judul"));
    else
        contentFailed(Slot::HomeDetail, kAuthPada, Chromium1);
}

void Catalogue::CategoryContentRequestTerminated(Task& t) {
    if (!prologue())
        return;
    if (code(Slot::CategoryContent) == "200")
        d_.pages.renderCategoryContent(d_.face.view(Chromium5), t.params().text("nama_kategori"));
    else
        contentFailed(Slot::CategoryContent, kAuthPada, Chromium1);
}

void Catalogue::SubCategoryContentRequestTerminated(Task& t) {
    if (!prologue())
        return;
    if (code(Slot::SubCategoryContent) == "200")
        d_.pages.renderSubCategoryContent(d_.face.view(Chromium5),
                                          t.params().text("nama_sub_kategori"));
    else
        contentFailed(Slot::SubCategoryContent, kAuthPada, Chromium1);
}

void Catalogue::ChartContentRequestTerminated(Task& t) {
    if (!prologue())
        return;
    if (code(Slot::ChartContent) != "200") {
        contentFailed(Slot::ChartContent, kAuthPada, Chromium1);
        return;
    }
    const std::string type = t.params().text("type");
    const int32_t page = t.params().integer("page");
    BrowserView& v = d_.face.view(Chromium6);
    if (type == "topRead")
        d_.pages.renderTopChart(v, page);
    else if (type == "lastRead")
        d_.pages.renderLastRead(v, page);
    else if (type == "lastView")
        d_.pages.renderLastView(v, page);
}

void Catalogue::DetailContentRequestTerminated(Task& t) {
    if (!prologue())
        return;
    if (code(Slot::DetailContent) == "200")
        d_.pages.renderDetailContent(d_.face.view(Chromium3), t.params().text("from"));
    else
        // The waiting page would be a dead end: go back to where the user was.
        contentFailed(Slot::DetailContent, kAuthDi, viewBeforeRequest_);
}

void Catalogue::SearchContentRequestTerminated(Task& t) {
    isSearchRunning = false;
    if (!prologue())
        return;
    if (code(Slot::SearchContent) != "200") {
        contentFailed(Slot::SearchContent, kAuthDi, viewBeforeRequest_);
        return;
    }
    const std::string field = t.params().text("field");
    const std::string keyword = t.params().text("keyword");
    const int32_t page = t.params().integer("page");
    if (field == "Kalimat")
        d_.pages.renderSearchKalimatResult(d_.face.view(Chromium7), page, keyword);
    else
        d_.pages.renderSearchResult(d_.face.view(Chromium7), page, keyword, field);
}

} // namespace sumberlaras::bridge
