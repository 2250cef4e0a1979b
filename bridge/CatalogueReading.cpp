#include <cstdio>
#include <stdexcept>

#include "base/LogCategories.h"
#include "bridge/Catalogue.h"

namespace sumberlaras::bridge {

namespace {

// A file name from the service as one safe path under /pc/swr/.
std::string encodePath(const std::string& name) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    size_t segmentStart = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            const std::string segment = name.substr(segmentStart, i - segmentStart);
            if (segment == "." || segment == "..") {
                out.resize(out.size() - segment.size());
                for (size_t k = 0; k < segment.size(); ++k)
                    out += "%2E";
            }
            if (i < name.size())
                out += '/';
            segmentStart = i + 1;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool parseDecimal(const std::string& text, int32_t& value) {
    try {
        size_t used = 0;
        const long v = std::stol(text, &used, 10);
        if (used != text.size() || v < INT32_MIN || v > INT32_MAX)
            return false;
        value = static_cast<int32_t>(v);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool Catalogue::mayStartReading() {
    if (readingLimitReached())
        return false;
    if (isOpeningBook) {
        d_.dialogs.warning("Harap Tunggu..Sedang Membuka Buku");
        return false;
    }
    isOpeningBook = true;
    return true;
}

void Catalogue::bookReadingEnded() {
    isOpeningBook = false;
    ReadFromChart = false;
    ReadFromSearch = false;
    PageToJump = 0;
    bookDetail_.reset();
}

void Catalogue::showDetailAgain() {
    loadDataPage(Chromium3, "detail.html");
}

void Catalogue::showLoginAfterAuthFailure() {
    backToLogin(true);
}

void Catalogue::onBaca(const BridgeMessage&, ViewId) {
    if (!mayStartReading())
        return;
    bringToFront(Chromium3);
    showLoading(Chromium3);
    startBookDownload();
}

void Catalogue::onBacaSection(const BridgeMessage& m, ViewId) {
    if (!mayStartReading())
        return;
    releaseHeldTask();
    requestDetail(m.text(0), "home", &Catalogue::ChartReadRequestTerminated);
}

void Catalogue::onBacaKalimat(const BridgeMessage& m, ViewId) {
    if (!mayStartReading())
        return;
    int32_t page = 0;
    if (!parseDecimal(m.text(1), page))
        page = 0; // not a page number: the book opens at its start
    PageToJump = page;
    bringToFront(Chromium3);
    showLoading(Chromium3);
    releaseHeldTask();
    requestDetail(m.text(0), "home", &Catalogue::SearchReadRequestTerminated);
}

void Catalogue::ChartReadRequestTerminated(Task& t) {
    readCompletion(t, true);
}
void Catalogue::SearchReadRequestTerminated(Task& t) {
    readCompletion(t, false);
}

void Catalogue::readCompletion(Task&, bool fromChart) {
    if (heldSerial_ == completing_.serial) {
        FTaskControl.reset();
        heldSerial_ = 0;
    }
    if (RequestCancelled) {
        d_.dialogs.error("Request Detail Error. Check Your Connection");
        return;
    }
    if (!completing_.current) {
        bookReadingEnded();
        return;
    }
    if (code(Slot::DetailContent) != "200") {
        bookReadingEnded();
        if (authFailed(Slot::DetailContent)) {
            d_.dialogs.error("Authentication Error : Akun Anda Digunakan Di Perangkat Lain");
            backToLogin(true);
        } else {
            d_.dialogs.error(msg(Slot::DetailContent));
        }
        return;
    }
    if (fromChart) {
        bringToFront(Chromium3);
        showLoading(Chromium3);
    }
    startBookDownload();
    if (fromChart)
        ReadFromChart = true;
    else
        ReadFromSearch = true;
}

// Book download ---------------------------------------------------------------

void Catalogue::startBookDownload() {
    std::string file;
    if (const JsonPtr detail = d_.service.slot(Slot::DetailContent).get();
        detail && detail->is_object()) {
        const auto data = detail->find("data");
        if (data != detail->end() && data->is_object()) {
            const auto name = data->find("nama_pc_file");
            if (name != data->end() && name->is_string())
                file = name->get<std::string>();
        }
    }
    bookDetail_ = d_.service.slot(Slot::DetailContent).get();
    const std::string url = d_.service.baseUrl() + "/pc/swr/" + encodePath(file);
    lastProgressShown_ = -1;
    std::weak_ptr<int> alive = alive_;
    BookDownloader::Handlers h;
    h.progress = [this, alive](int64_t received, int64_t total) {
        if (!alive.expired())
            showDownloadProgress(received, total);
    };
    h.completed = [this, alive](long status, std::shared_ptr<const std::string> body) {
        if (!alive.expired())
            bookDownloadCompleted(status, std::move(body));
    };
    h.failed = [this, alive](const std::string& description) {
        if (!alive.expired())
            bookDownloadFailed(description);
    };
    d_.downloader.get(url, std::move(h));
}

void Catalogue::showDownloadProgress(int64_t received, int64_t total) {
    if (RequestCancelled)
        return;
    const int percent = total > 0 ? static_cast<int>(received * 100 / total) : -1;
    if (percent == lastProgressShown_ && percent >= 0)
        return;
    lastProgressShown_ = percent;
    char text[64];
    if (percent >= 0)
        std::snprintf(text, sizeof text, "%d%%", percent);
    else
        std::snprintf(text, sizeof text, "%lld KB", static_cast<long long>(received / 1024));
    d_.face.view(Chromium3).runScript(
        std::string("(function(){var e=document.getElementById('progress');"
                    "if(!e){e=document.createElement('div');e.id='progress';"
                    "e.style.cssText='text-align:center;font:14px sans-serif;"
                    "margin-top:12px';document.body.appendChild(e);}"
                    "e.textContent='") +
        text + "';})();");
}

void Catalogue::bookDownloadCompleted(long status, std::shared_ptr<const std::string> body) {
    if (RequestCancelled)
        return;
    if (body && !body->empty() && status == 200) {
        if (onBookDownloaded) {
            // The reader holds it from here until its page view has it.
            onBookDownloaded(std::move(body), std::move(bookDetail_));
        } else {
            TempStream = std::move(body);
            bookReadingEnded();
            loadDataPage(Chromium3, "detail.html");
        }
        return;
    }
    bookReadingEnded();
    d_.dialogs.error("Jaringan Error dengan Status : " + std::to_string(status));
    loadDataPage(Chromium3, "detail.html");
}

void Catalogue::bookDownloadFailed(const std::string& description) {
    if (RequestCancelled)
        return;
    bookReadingEnded();
    d_.dialogs.error("Request Error #671: " + description);
    loadDataPage(Chromium3, "detail.html");
}

} // namespace sumberlaras::bridge
