#include "shell/Splash.h"

#include <QLabel>
#include <QVBoxLayout>

#include "service/Envelope.h"
#include "shell/ProductPicture.h"
#include "shell/ServiceAdapter.h"

namespace sumberlaras {

namespace {
constexpr int kRefusal = 2;
constexpr int kUpdateOffer = 3;
const char* kOfferText = "Update baru telah tersedia, download sekarang?";
} // namespace

TFormSplash::TFormSplash(Dialogs& dialogs, SawiraLibOptions options)
    : QWidget(nullptr, Qt::FramelessWindowHint), dialogs_(dialogs), options_(std::move(options)) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0)); // silver
    setPalette(pal);
    auto* picture = new ProductPicture(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignCenter);
}

TFormSplash::~TFormSplash() {
    // The check must not outlive the client it uses.
    runner_.cancelAll();
    sawira_.reset();
}

void TFormSplash::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFormSplash::FormShow() {
    completed_ = false;
    sawira_ = std::make_unique<TSawiraLib>(dialogs_, options_);
    // Before the first request: the hooks are read by every request's thread.
    ServiceAdapter::watchRequests(*sawira_);
    TSawiraLib* lib = sawira_.get();
    auto answer = std::make_shared<Json>();
    TaskSpec spec;
    spec.label = "RequestTask";
    spec.worker = [lib, answer, this](Task& t) {
        *answer = lib->checkAppVersionRequest();
        const std::string code = answerCode(*answer);
        if (code == "200")
            return;
        if (code == "300") {
            const std::string url = readText(*answer, "url");
            t.postMessage(kUpdateOffer, url);
        } else {
            t.postMessage(kRefusal, readText(*answer, "msg"));
        }
    };
    spec.onMessage = [this](Task&, int id, const std::string& message) {
        if (id == kRefusal) {
            dialogs_.warning(message);
            terminate_ = true;
        } else if (id == kUpdateOffer) {
            updateUrl_ = message;
            signalUpdate_ = dialogs_.confirm(kOfferText);
        }
    };
    spec.onCompleted = [this](Task&) {
        RequestTask.reset();
        completed_ = true;
    };
    RequestTask = runner_.start(std::move(spec));
}

} // namespace sumberlaras
