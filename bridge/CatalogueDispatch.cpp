
#include "bridge/Catalogue.h"
#include "bridge/NavigationPolicy.h"
#include "base/LogCategories.h"

namespace sumberlaras::bridge {

namespace {

// Characters of a UTF-8 text (continuation bytes are not counted).
size_t letterCount(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace

Catalogue::Catalogue(Deps deps) : d_(deps) {}

Catalogue::~Catalogue() {
    beginClosing();
}

void Catalogue::beginClosing() {
    RequestCancelled = true;
    if (FTaskControl)
        FTaskControl->cancel();
    FTaskControl.reset();
    heldSerial_ = 0;
}

const std::map<std::string, Catalogue::Handler>& Catalogue::handlers() {
    static const std::map<std::string, Handler> table = {
        {"login", &Catalogue::onLogin},
        {"logout", &Catalogue::onLogout},
        {"account", &Catalogue::onAccount},
        {"register", &Catalogue::onRegister},
        {"forgotPass", &Catalogue::onForgotPass},
        {"loadMore", &Catalogue::onLoadMore},
        {"homeDetail", &Catalogue::onHomeDetail},
        {"loadKategori", &Catalogue::onLoadKategori},
        {"changeDept", &Catalogue::onChangeDept},
        {"kategoriKonten", &Catalogue::onKategoriKonten},
        {"subKategoriKonten", &Catalogue::onSubKategoriKonten},
        {"topChart", &Catalogue::onTopChart},
        {"loadMoreChart", &Catalogue::onLoadMoreChart},
        {"lastRead", &Catalogue::onLastRead},
        {"loadMoreLastRead", &Catalogue::onLoadMoreLastRead},
        {"lastView", &Catalogue::onLastView},
        {"loadMoreLastView", &Catalogue::onLoadMoreLastView},
        {"detail", &Catalogue::onDetail},
        {"detailFromSection", &Catalogue::onDetailFromSection},
        {"detailFromCategory", &Catalogue::onDetailFromCategory},
        {"detailFromChart", &Catalogue::onDetailFromChart},
        {"detailFromSearch", &Catalogue::onDetailFromSearch},
        {"back", &Catalogue::onBack},
        {"backToSection", &Catalogue::onBackToSection},
        {"backToCategory", &Catalogue::onBackToCategory},
        {"backKategori", &Catalogue::onBackKategori},
        {"backToChart", &Catalogue::onBackToChart},
        {"backToSearch", &Catalogue::onBackToSearch},
        {"searching", &Catalogue::onSearching},
        {"openBanner", &Catalogue::onOpenBanner},
        {"baca", &Catalogue::onBaca},
        {"bacaSection", &Catalogue::onBacaSection},
        {"bacaKalimat", &Catalogue::onBacaKalimat},
    };
    return table;
}

void Catalogue::receive(const BridgeMessage& message, ViewId sender) {
    qCInfo(lcBridge, "%s from Chromium%d", describe(message).c_str(), static_cast<int>(sender));
    if (RequestCancelled)
        return;
    const auto it = handlers().find(message.name);
    if (it == handlers().end())
        return; // e.g. "forgotPassRequest": the reset has its own window
    (this->*(it->second))(message, sender);
}

// Shared steps --------------------------------------------------------------

void Catalogue::bringToFront(ViewId v) {
    frontView_ = v;
    d_.face.bringBrowserToFront(v);
}

void Catalogue::loadDataPage(ViewId v, const std::string& file) {
    d_.face.view(v).load(fileUrl(d_.service.dataFolder() + "/" + file));
}

void Catalogue::showLoading(ViewId v) {
    loadDataPage(v, "loading.html");
}

void Catalogue::releaseHeldTask() {
    FTaskControl.reset();
    heldSerial_ = 0;
}

bool Catalogue::readingLimitReached() {
    if (readCount < 3)
        return false;
    d_.dialogs.warning("Anda melebihi batas baca sebanyak 3 Buku");
    return true;
}

// Sign-in and account -------------------------------------------------------

void Catalogue::onLogin(const BridgeMessage& m, ViewId) {
    bringToFront(Chromium1);
    if (m.text(0).empty() || m.text(1).empty()) {
        d_.dialogs.error("Nama Pengguna Dan Kata Sandi Wajib Diisi");
        return;
    }
    showLoading(Chromium1);
    TaskParams p;
    p.set("username", m.text(0)).set("password", m.text(1));
    request(
        Slot::User, "Login", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            return s.LoginRequest(q.text("username"), q.text("password"));
        },
        &Catalogue::LoginRequestTerminated);
}

void Catalogue::onLogout(const BridgeMessage&, ViewId) {
    if (!d_.dialogs.confirm("Keluar dari akun anda?"))
        return;
    std::weak_ptr<int> alive = alive_;
    CatalogueService* service = &d_.service;
    TaskSpec spec;
    spec.label = "logout";
    spec.worker = [service](Task&) {
        try {
            service->Logoutrequest(); // the answer is not looked at
        } catch (const std::exception&) {
        }
    };
    spec.onCompleted = [this, alive](Task&) {
        if (alive.expired() || RequestCancelled)
            return;
        backToLogin(true);
        d_.face.setHeaderVisible(false);
    };
    d_.tasks.start(std::move(spec));
}

void Catalogue::onAccount(const BridgeMessage&, ViewId) {
    d_.dialogs.information("Under Construction");
}
void Catalogue::onRegister(const BridgeMessage&, ViewId) {
    d_.face.showRegistration();
}
void Catalogue::onForgotPass(const BridgeMessage&, ViewId) {
    d_.face.showForgotPassword();
}

// Home ----------------------------------------------------------------------

void Catalogue::onLoadMore(const BridgeMessage&, ViewId sender) {
    if (TotalHomeContent >= CountHomeContent) {
        d_.face.view(sender).runScript("$(\"#btnMore\").hide()");
        return;
    }
    d_.face.view(Chromium1).runScript("$(\"#btnMore\").hide();");
    ++PageHome;
    releaseHeldTask();
    TaskParams p;
    p.set("page", PageHome);
    request(
        Slot::HomeContent, "HomeContent", std::move(p),
        [](CatalogueService& s, const TaskParams& q) { return s.HomeRequest(q.integer("page")); },
        &Catalogue::HomeRequestTerminated);
}

void Catalogue::onHomeDetail(const BridgeMessage& m, ViewId) {
    bringToFront(Chromium2);
    showLoading(Chromium2);
    releaseHeldTask();
    TaskParams p;
    p.set("judul", m.text(1)).set("id_homepage", m.text(0));
    request(
        Slot::HomeDetail, "HomeDetail", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            return s.HomeDetailRequest(q.text("id_homepage"));
        },
        &Catalogue::HomeDetailRequestTerminated);
}

// Categories ----------------------------------------------------------------

void Catalogue::onLoadKategori(const BridgeMessage&, ViewId) {
    showLoading(Chromium4);
    bringToFront(Chromium4);
    d_.pages.renderCategoryHtmlFile(d_.face.view(Chromium4));
}

void Catalogue::onChangeDept(const BridgeMessage& m, ViewId) {
    d_.pages.renderDept(d_.face.view(Chromium4), m.text(0));
}

void Catalogue::onKategoriKonten(const BridgeMessage& m, ViewId) {
    bringToFront(Chromium5);
    showLoading(Chromium5);
    releaseHeldTask();
    TaskParams p;
    p.set("id_dept", m.text(0))
        .set("id_kategori", m.text(1))
        .set("page", m.text(2))
        .set("nama_kategori", m.text(3));
    request(
        Slot::CategoryContent, "CategoryContentRequest", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            return s.CategoryContentRequest(q.text("id_dept"), q.text("id_kategori"));
        },
        &Catalogue::CategoryContentRequestTerminated);
}

void Catalogue::onSubKategoriKonten(const BridgeMessage& m, ViewId) {
    showLoading(Chromium5);
    bringToFront(Chromium5);
    releaseHeldTask();
    TaskParams p;
    p.set("id_dept", m.text(0))
        .set("id_sub_kategori", m.text(1))
        .set("page", m.text(2))
        .set("nama_sub_kategori", m.text(3));
    request(
        Slot::SubCategoryContent, "CategoryContentRequest", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            return s.SubCategoryContentRequest(q.text("id_dept"), q.text("id_sub_kategori"));
        },
        &Catalogue::SubCategoryContentRequestTerminated);
}

// Charts --------------------------------------------------------------------

void Catalogue::openChart(const std::string& type, int32_t page, bool firstPage) {
    if (firstPage) {
        bringToFront(Chromium6);
        showLoading(Chromium6);
    } else {
        d_.face.view(Chromium6).runScript("$(\"#btnMore\").hide()");
    }
    releaseHeldTask();
    TaskParams p;
    p.set("type", type).set("page", page);
    request(
        Slot::ChartContent, "chartContentRequest", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            const std::string t = q.text("type");
            if (t != "topRead" && t != "lastRead" && t != "lastView")
                return Json{{"code", "500"}, {"msg", "Jenis daftar tidak dikenal"}};
            return s.ChartContentRequest(t, q.integer("page"));
        },
        &Catalogue::ChartContentRequestTerminated);
}

void Catalogue::onTopChart(const BridgeMessage&, ViewId) {
    if (FTaskControl)
        FTaskControl->stop();
    openChart("topRead", 1, true);
}
void Catalogue::onLoadMoreChart(const BridgeMessage& m, ViewId) {
    openChart("topRead", m.integer(0), false);
}
void Catalogue::onLastRead(const BridgeMessage&, ViewId) {
    openChart("lastRead", 1, true);
}
void Catalogue::onLoadMoreLastRead(const BridgeMessage& m, ViewId) {
    openChart("lastRead", m.integer(0), false);
}
void Catalogue::onLastView(const BridgeMessage&, ViewId) {
    openChart("lastView", 1, true);
}
void Catalogue::onLoadMoreLastView(const BridgeMessage& m, ViewId) {
    openChart("lastView", m.integer(0), false);
}

// Details -------------------------------------------------------------------

void Catalogue::openDetail(const std::string& id, const std::string& from) {
    viewBeforeRequest_ = frontView_ == Chromium3 ? Chromium1 : frontView_;
    bringToFront(Chromium3);
    showLoading(Chromium3);
    releaseHeldTask();
    requestDetail(id, from, &Catalogue::DetailContentRequestTerminated);
}

void Catalogue::requestDetail(const std::string& id, const std::string& from, Completion done) {
    TaskParams p;
    p.set("id_konten", id).set("from", from);
    request(
        Slot::DetailContent, "detail", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            return s.DetailContentRequest(q.text("id_konten"));
        },
        done);
}

void Catalogue::onDetail(const BridgeMessage& m, ViewId) {
    // The task it replaces is told to stop and let go, never waited for: its
    // answer is stale once the new request starts, and its completion still
    // runs (it may hold the search lock) but renders nothing.
    if (FTaskControl)
        FTaskControl->stop();
    openDetail(m.text(0), "home");
}
void Catalogue::onDetailFromSection(const BridgeMessage& m, ViewId) {
    openDetail(m.text(0), "homeSection");
}
void Catalogue::onDetailFromCategory(const BridgeMessage& m, ViewId) {
    openDetail(m.text(0), "category");
}
void Catalogue::onDetailFromChart(const BridgeMessage& m, ViewId) {
    openDetail(m.text(0), "chart");
}
void Catalogue::onDetailFromSearch(const BridgeMessage& m, ViewId) {
    openDetail(m.text(0), "search");
}

// Back navigation never reloads ---------------------------------------------

void Catalogue::onBack(const BridgeMessage&, ViewId) {
    bringToFront(Chromium1);
}
void Catalogue::onBackToSection(const BridgeMessage&, ViewId) {
    bringToFront(Chromium2);
}
void Catalogue::onBackToCategory(const BridgeMessage&, ViewId) {
    bringToFront(Chromium5);
}
void Catalogue::onBackKategori(const BridgeMessage&, ViewId) {
    bringToFront(Chromium4);
}
void Catalogue::onBackToChart(const BridgeMessage&, ViewId) {
    bringToFront(Chromium6);
}
void Catalogue::onBackToSearch(const BridgeMessage&, ViewId) {
    bringToFront(Chromium7);
}

// Search --------------------------------------------------------------------

void Catalogue::onSearching(const BridgeMessage& m, ViewId) {
    const std::string& keyword = m.text(0);
    const std::string& field = m.text(1);
    if (keyword.empty()) {
        d_.dialogs.warning("Kata Kunci Pencarian Wajib Diisi");
        return;
    }
    if (isSearchRunning) {
        d_.dialogs.information("Harap Tunggu..Sedang Memproses Pencarian Sebelumnya");
        return;
    }
    if (field == "Kalimat") {
        if (letterCount(keyword) < 3) {
            d_.dialogs.warning("Minimal masukkan 3-huruf");
            return;
        }
        KalimatPencarian = keyword;
    }
    viewBeforeRequest_ = frontView_ == Chromium7 ? Chromium1 : frontView_;
    showLoading(Chromium7);
    bringToFront(Chromium7);
    releaseHeldTask();
    // Raised here, before the worker starts, so a second search sent in
    // between is refused too.
    isSearchRunning = true;
    TaskParams p;
    p.set("field", field).set("keyword", keyword).set("page", m.integer(2));
    request(
        Slot::SearchContent, "SearchRequest", std::move(p),
        [](CatalogueService& s, const TaskParams& q) {
            if (q.text("field") == "Kalimat")
                return s.SearchKalimatRequest(q.text("keyword"), q.integer("page"));
            return s.SearchContentRequest(q.text("field"), q.text("keyword"), q.integer("page"));
        },
        &Catalogue::SearchContentRequestTerminated);
}

// Banners -------------------------------------------------------------------

void Catalogue::onOpenBanner(const BridgeMessage& m, ViewId) {
    if (isWebAddress(m.text(0)))
        d_.face.openExternally(m.text(0));
}

} // namespace sumberlaras::bridge
