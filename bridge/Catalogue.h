#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "base/Dialogs.h"
#include "base/Tasks.h"
#include "bridge/CatalogueSeams.h"
#include "bridge/MessageTable.h"

namespace sumberlaras::bridge {

// The catalogue face's logic: the dispatcher of the pages' messages, the
// background requests and their completions, and the book download.
// Everything here runs on the main thread except the request workers.
class Catalogue {
public:
    struct Deps {
        CatalogueFace& face;
        PageRenderer& pages;
        CatalogueService& service;
        Dialogs& dialogs;
        TaskRunner& tasks;
        BookDownloader& downloader;
    };
    explicit Catalogue(Deps deps);
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // One validated message from a page shown in `sender`.
    void receive(const BridgeMessage& message, ViewId sender);

    // The window begins to close: every later completion does nothing.
    void beginClosing();

    // Which view the face shows in front (kept here as views are switched).
    ViewId frontView() const { return frontView_; }

    // Navigation state.
    TaskHandle FTaskControl;
    int32_t PageHome = 0;
    int32_t TotalHomeContent = 0;
    int32_t CountHomeContent = 0;
    bool isSearchRunning = false;
    std::string KalimatPencarian;
    int32_t PageToJump = 0;
    int32_t readCount = 0;
    bool ReadFromChart = false;
    bool ReadFromSearch = false;
    bool RequestCancelled = false;

    // A book is being fetched or its loan asked for: a second read waits.
    bool isOpeningBook = false;

    // The last downloaded book document when no reader takes it (onBookDownloaded
    // unset); nothing of it is written to disk.
    std::shared_ptr<const std::string> TempStream;
    // Takes a downloaded book document with the detail of the book it belongs
    // to (the detail as it was when the download started). Without it the
    // detail page comes back in Chromium3.
    std::function<void(std::shared_ptr<const std::string> document, JsonPtr detail)>
        onBookDownloaded;
    // A member signed in; the service's identity is theirs now.
    std::function<void()> onSignedIn;

    // The detail page again in Chromium3, after a read.
    void showDetailAgain();
    // An authentication failure outside the catalogue: the login page, in front.
    void showLoginAfterAuthFailure();

private:
    using Handler = void (Catalogue::*)(const BridgeMessage&, ViewId);
    using Completion = void (Catalogue::*)(Task&);
    using Call = std::function<Json(CatalogueService&, const TaskParams&)>;
    static const std::map<std::string, Handler>& handlers();

    // Messages.
    void onLogin(const BridgeMessage& m, ViewId);
    void onLogout(const BridgeMessage& m, ViewId);
    void onAccount(const BridgeMessage& m, ViewId);
    void onRegister(const BridgeMessage& m, ViewId);
    void onForgotPass(const BridgeMessage& m, ViewId);
    void onLoadMore(const BridgeMessage& m, ViewId sender);
    void onHomeDetail(const BridgeMessage& m, ViewId);
    void onLoadKategori(const BridgeMessage& m, ViewId);
    void onChangeDept(const BridgeMessage& m, ViewId);
    void onKategoriKonten(const BridgeMessage& m, ViewId);
    void onSubKategoriKonten(const BridgeMessage& m, ViewId);
    void onTopChart(const BridgeMessage& m, ViewId);
    void onLoadMoreChart(const BridgeMessage& m, ViewId);
    void onLastRead(const BridgeMessage& m, ViewId);
    void onLoadMoreLastRead(const BridgeMessage& m, ViewId);
    void onLastView(const BridgeMessage& m, ViewId);
    void onLoadMoreLastView(const BridgeMessage& m, ViewId);
    void onDetail(const BridgeMessage& m, ViewId);
    void onDetailFromSection(const BridgeMessage& m, ViewId);
    void onDetailFromCategory(const BridgeMessage& m, ViewId);
    void onDetailFromChart(const BridgeMessage& m, ViewId);
    void onDetailFromSearch(const BridgeMessage& m, ViewId);
    void onBack(const BridgeMessage& m, ViewId);
    void onBackToSection(const BridgeMessage& m, ViewId);
    void onBackToCategory(const BridgeMessage& m, ViewId);
    void onBackKategori(const BridgeMessage& m, ViewId);
    void onBackToChart(const BridgeMessage& m, ViewId);
    void onBackToSearch(const BridgeMessage& m, ViewId);
    void onSearching(const BridgeMessage& m, ViewId);
    void onOpenBanner(const BridgeMessage& m, ViewId);
    void onBaca(const BridgeMessage& m, ViewId);
    void onBacaSection(const BridgeMessage& m, ViewId);
    void onBacaKalimat(const BridgeMessage& m, ViewId);

    // Shared steps.
    void bringToFront(ViewId v);
    void showLoading(ViewId v);
    void loadDataPage(ViewId v, const std::string& file);
    void releaseHeldTask();
    void openDetail(const std::string& id, const std::string& from);
    void openChart(const std::string& type, int32_t page, bool firstPage);
    bool readingLimitReached();
    // False (with the reason shown) while another book is opening.
    bool mayStartReading();
    // An opening that ends before the reader took the document.
    void bookReadingEnded();

    // Starts a request whose answer goes to `slot`. A newer request of the
    // same slot makes this one stale: its answer is dropped and its
    // completion renders nothing.
    TaskHandle request(Slot slot, std::string label, TaskParams params, Call call, Completion done,
                       bool hold = true);
    // The content-detail request, shared by the detail page and the read buttons.
    void requestDetail(const std::string& id, const std::string& from, Completion done);
    // Common start of a completion: clears the held task; false when the
    // completion is to do nothing (closing, or a stale answer).
    bool prologue();
    std::string code(Slot s) const;
    std::string msg(Slot s) const;
    bool authFailed(Slot s) const;
    void backToLogin(bool bringFront);

    // Completions.
    void LoginRequestTerminated(Task& t);
    void BannerRequestTerminated(Task& t);
    void CategoryRequestTerminated(Task& t);
    void HomeRequestTerminated(Task& t);
    void HomeDetailRequestTerminated(Task& t);
    void CategoryContentRequestTerminated(Task& t);
    void SubCategoryContentRequestTerminated(Task& t);
    void ChartContentRequestTerminated(Task& t);
    void DetailContentRequestTerminated(Task& t);
    void SearchContentRequestTerminated(Task& t);
    void ChartReadRequestTerminated(Task& t);
    void SearchReadRequestTerminated(Task& t);
    void readCompletion(Task& t, bool fromChart);
    void signInStepFailed(Slot s);
    void contentFailed(Slot s, const std::string& authWording, ViewId fallback);

    // Book download.
    void startBookDownload();
    void bookDownloadCompleted(long status, std::shared_ptr<const std::string> body);
    void bookDownloadFailed(const std::string& description);
    void showDownloadProgress(int64_t received, int64_t total);

    Deps d_;
    ViewId frontView_ = Chromium1;
    ViewId viewBeforeRequest_ = Chromium1;
    std::map<Slot, uint64_t> generation_;
    uint64_t serial_ = 0;
    uint64_t heldSerial_ = 0;
    struct Completing {
        bool current = true;
        uint64_t serial = 0;
    } completing_;
    int lastProgressShown_ = -1;
    JsonPtr bookDetail_; // the detail of the book being downloaded
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace sumberlaras::bridge
