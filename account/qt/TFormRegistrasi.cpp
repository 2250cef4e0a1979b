#include "account/qt/TFormRegistrasi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "account/AccountAnswers.h"
#include "account/ClientId.h"
#include "account/Occupations.h"
#include "account/RegistrationRecord.h"
#include "account/RegistrationRequest.h"
#include "account/RegistrationValidation.h"
#include "account/WheelRule.h"

namespace sumberlaras {

namespace {

const char* const kPleaseWait = "Harap Tunggu...";
const char* const kRegistrationRunning = "Harap Tunggu... Proses Registrasi Sedang Berjalan";

const char* taskLabel(RegionLevel level) {
    switch (level) {
    case RegionLevel::Provinsi:
        return "provinsiRequest";
    case RegionLevel::Kota:
        return "kotaRequest";
    case RegionLevel::Kecamatan:
        return "kecamatanRequest";
    case RegionLevel::Kelurahan:
        return "kelurahanRequest";
    }
    return "";
}

int indexOf(RegionLevel level) {
    return static_cast<int>(level);
}

std::string text(const QString& s) {
    return s.toStdString();
}

std::optional<std::string> selection(const QComboBox* combo) {
    if (combo->currentIndex() < 0)
        return std::nullopt;
    return combo->currentText().toStdString();
}

HttpResponse guardedFetch(const HttpFetch& fetch, const HttpRequest& request) {
    try {
        return fetch(request);
    } catch (const std::exception& e) {
        HttpResponse failed;
        failed.error = e.what();
        return failed;
    }
}

} // namespace

// What a region worker hands to its completion.
struct RegionAnswerBox {
    bool discarded = false;
    RegionAnswer answer;
};

TFormRegistrasi::TFormRegistrasi(TaskRunner& tasks, Dialogs& dialogs, const JsonSlot& clientJson,
                                 std::string baseUrl, HttpFetch fetch, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), tasks_(tasks), dialogs_(dialogs),
      clientJson_(clientJson), baseUrl_(std::move(baseUrl)), fetch_(std::move(fetch)),
      c_(RegistrasiControls::create(this)),
      SignalCancelled(std::make_shared<std::atomic<bool>>(false)),
      alive_(std::make_shared<bool>(true)) {
    setObjectName("FormRegistrasi");
    setWindowTitle("Registrasi");
    QFont font("Segoe UI");
    font.setPixelSize(15);
    setFont(font);
    setFixedSize(785, 496);
    chooseFile_ = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(),
                                            "JPG File (*.jpg);;PNG File (*.png)");
    };

    connect(c_.btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(c_.btnKirim, &QPushButton::clicked, this, [this] { btnKirimClick(); });
    connect(c_.btnFoto, &QPushButton::clicked, this, [this] { pickFile(true); });
    connect(c_.btnFotoProfil, &QPushButton::clicked, this, [this] { pickFile(false); });
    for (auto level : {RegionLevel::Provinsi, RegionLevel::Kota, RegionLevel::Kecamatan}) {
        connect(c_.regions[indexOf(level)], &QComboBox::activated, this,
                [this, level] { regionChanged(level); });
    }
    for (QScrollArea* box : {c_.ScrollBox1, c_.ScrollBox2}) {
        box->viewport()->installEventFilter(this);
        for (QWidget* child : box->widget()->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    c_.Panel1->installEventFilter(this);
    setRequestingShown(false);
}

TFormRegistrasi::~TFormRegistrasi() {
    *alive_ = false;
    *SignalCancelled = true;
    if (RequestTask)
        RequestTask->cancel();
}

void TFormRegistrasi::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar, not a new showing
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TFormRegistrasi::FormShow() {
    if (RequestTask) {
        // Only possible when hidden without closing; that request's answer is stale.
        RequestTask->cancel();
        RequestTask.reset();
        registering_ = false;
        c_.btnKirim->setEnabled(true);
    }
    SignalCancelled = std::make_shared<std::atomic<bool>>(false);
    for (int i = 1; i < 4; ++i) {
        c_.regions[i]->clear();
        c_.regions[i]->setEnabled(false);
        regionDicts_[i] = {};
    }
    c_.cmbPekerjaan->clear();
    for (const auto& job : occupationsOf(clientJson_.get().get()))
        c_.cmbPekerjaan->addItem(QString::fromStdString(job));
    c_.cmbPekerjaan->setCurrentIndex(-1);
    c_.regions[0]->clear();
    regionDicts_[0] = {};
    loadedFor_ = {};
    setRequestingShown(true);
    startRegionRequest(RegionLevel::Provinsi, {});
}

void TFormRegistrasi::startRegionRequest(RegionLevel level, const std::string& parentId) {
    auto box = std::make_shared<RegionAnswerBox>();
    regionDicts_[indexOf(level)] = {};
    TaskSpec spec;
    spec.label = taskLabel(level);
    spec.params.set("id", parentId);
    spec.worker = [fetch = fetch_, request = regionListRequest(baseUrl_, level, parentId),
                   cancelled = SignalCancelled, box](Task&) {
        HttpResponse response = guardedFetch(fetch, request);
        if (*cancelled) {
            box->discarded = true;
            return;
        }
        box->answer = parseRegionAnswer(response);
    };
    spec.onCompleted = [this, alive = std::weak_ptr<bool>(alive_), level, box](Task&) {
        if (alive.lock())
            regionRequestTerminated(level, *box);
    };
    RequestTask = tasks_.start(std::move(spec));
}

void TFormRegistrasi::regionRequestTerminated(RegionLevel level, const RegionAnswerBox& box) {
    RequestTask.reset();
    setRequestingShown(false);
    if (box.discarded) {
        // A close was refused meanwhile: this level stays empty and the user
        // starts over by choosing a region above or by showing the window again.
        endChainAt(level);
        return;
    }
    if (!box.answer.ok) {
        endChainAt(level);
        dialogs_.error(regionErrorPrefix(level) + box.answer.error);
        return;
    }
    if (restartIfSelectionMoved(level))
        return;
    fillLevel(level, box.answer.list);
}

void TFormRegistrasi::fillLevel(RegionLevel level, RegionList list) {
    const int i = indexOf(level);
    QComboBox* combo = c_.regions[i];
    regionDicts_[i] = std::move(list);
    combo->clear();
    for (const auto& name : sortedRegionNames(regionDicts_[i].names))
        combo->addItem(QString::fromStdString(name));
    if (combo->count() == 0) {
        // Nothing to choose here, so nothing to ask for below.
        endChainAt(level);
        return;
    }
    combo->setCurrentIndex(0);
    setRegionsEnabled(true);
    if (level == RegionLevel::Kelurahan)
        return;
    loadedFor_[i] = text(combo->currentText());
    startRegionRequest(static_cast<RegionLevel>(i + 1), regionDicts_[i].idOf(loadedFor_[i]));
}

void TFormRegistrasi::endChainAt(RegionLevel level) {
    for (int i = 0; i < 4; ++i) {
        if (i < indexOf(level)) {
            c_.regions[i]->setEnabled(true);
            continue;
        }
        c_.regions[i]->clear();
        c_.regions[i]->setEnabled(false);
        regionDicts_[i] = {};
        loadedFor_[i].clear();
    }
}

bool TFormRegistrasi::restartIfSelectionMoved(RegionLevel finished) {
    // A choice made while this list loaded was kept on screen; load for it now,
    // so the levels below always belong to the names shown above them.
    for (int i = 0; i < indexOf(finished); ++i) {
        const std::string shown = text(c_.regions[i]->currentText());
        if (shown == loadedFor_[i])
            continue;
        loadedFor_[i] = shown;
        setRegionsEnabled(false);
        setRequestingShown(true);
        startRegionRequest(static_cast<RegionLevel>(i + 1), regionDicts_[i].idOf(shown));
        return true;
    }
    return false;
}

void TFormRegistrasi::regionChanged(RegionLevel level) {
    QComboBox* combo = c_.regions[indexOf(level)];
    if (combo->currentText().isEmpty())
        return;
    if (RequestTask) {
        if (level != RegionLevel::Kecamatan)
            dialogs_.information(kPleaseWait);
        return;
    }
    const int i = indexOf(level);
    loadedFor_[i] = text(combo->currentText());
    setRegionsEnabled(false);
    setRequestingShown(true);
    *SignalCancelled = false;
    startRegionRequest(static_cast<RegionLevel>(i + 1), regionDicts_[i].idOf(loadedFor_[i]));
}

RegistrationEntries TFormRegistrasi::entries() const {
    RegistrationEntries e;
    e.name = text(c_.edName->text());
    e.wanita = c_.rdWanita->isChecked();
    e.noIdent = text(c_.edNoIdent->text());
    e.jenisIdentitas = selection(c_.cmbKTP);
    e.kotaLahir = text(c_.edKotaLahir->text());
    e.tglLahir = text(c_.dateTglLahir->date().toString("yyyy-MM-dd"));
    e.alamat = text(c_.edAlamat->toPlainText());
    e.provinsi = selection(c_.regions[0]);
    e.kota = selection(c_.regions[1]);
    e.kecamatan = selection(c_.regions[2]);
    e.kelurahan = selection(c_.regions[3]);
    e.email = text(c_.edEmail->text());
    e.telepon = text(c_.edTelepon->text());
    e.pass1 = text(c_.edPass1->text());
    e.pass2 = text(c_.edPass2->text());
    e.instansi = text(c_.edInstansi->text());
    e.pendidikan = selection(c_.cmbPendidikan);
    e.pekerjaan = selection(c_.cmbPekerjaan);
    e.foto = text(c_.edFoto->text());
    e.fotoProfil = text(c_.edFotoProfil->text());
    return e;
}

void TFormRegistrasi::btnKirimClick() {
    const RegistrationEntries e = entries();
    const ValidationResult check = validateInput(e);
    if (!check.valid) {
        dialogs_.error(check.message);
        if (check.focus == RegistrationField::Alamat)
            c_.edAlamat->setFocus();
        else if (check.focus == RegistrationField::Pass1)
            c_.edPass1->setFocus();
        else if (check.focus == RegistrationField::Pass2)
            c_.edPass2->setFocus();
        return;
    }
    if (RequestTask) {
        dialogs_.information(kPleaseWait);
        return;
    }
    // Read both photos now, so a missing one is reported before anything is sent.
    const auto identity = readPhotoFile(e.foto);
    const auto profile = identity ? readPhotoFile(e.fotoProfil) : std::nullopt;
    if (!identity || !profile) {
        dialogs_.error("Foto tidak dapat dibaca : " + (identity ? e.fotoProfil : e.foto));
        return;
    }
    const RegionIds ids{regionDicts_[0].idOf(*e.provinsi), regionDicts_[1].idOf(*e.kota),
                        regionDicts_[2].idOf(*e.kecamatan), regionDicts_[3].idOf(*e.kelurahan)};
    const std::string record = buildRegistrationRecord(kAccountClientId, e, ids);

    c_.btnKirim->setEnabled(false);
    setRegionsEnabled(false);
    auto answer = std::make_shared<Json>();
    TaskSpec spec;
    spec.label = "executeRegister";
    spec.params.set("data", record).set("identitas", e.foto).set("foto", e.fotoProfil);
    spec.worker = [fetch = fetch_,
                   request =
                       registrationRequest(baseUrl_, kAccountClientId, record, *identity, *profile),
                   answer](Task&) { *answer = registrationAnswer(guardedFetch(fetch, request)); };
    spec.onCompleted = [this, alive = std::weak_ptr<bool>(alive_), answer](Task&) {
        if (alive.lock())
            executeRegisterTerminated(*answer);
    };
    registering_ = true;
    RequestTask = tasks_.start(std::move(spec));
}

void TFormRegistrasi::executeRegisterTerminated(const Json& answer) {
    RequestTask.reset();
    registering_ = false;
    c_.btnKirim->setEnabled(true);
    const RegistrationVerdict verdict = judgeRegistration(answer);
    switch (verdict.outcome) {
    case RegistrationOutcome::NoAnswer:
        dialogs_.warning(verdict.message);
        break;
    case RegistrationOutcome::Registered:
        dialogs_.information(verdict.message);
        close();
        break;
    case RegistrationOutcome::Refused:
        dialogs_.error(verdict.message);
        break;
    }
}

bool TFormRegistrasi::FormCloseQuery() {
    *SignalCancelled = true;
    if (RequestTask) {
        dialogs_.information(registering_ ? kRegistrationRunning : kPleaseWait);
        return false;
    }
    regionDicts_ = {};
    return true;
}

void TFormRegistrasi::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TFormRegistrasi::pickFile(bool identity) {
    const QString path = chooseFile_ ? chooseFile_(this) : QString();
    if (path.isEmpty())
        return;
    (identity ? c_.edFoto : c_.edFotoProfil)->setText(path);
}

void TFormRegistrasi::setRegionsEnabled(bool enabled) {
    for (QComboBox* combo : c_.regions)
        combo->setEnabled(enabled);
}

void TFormRegistrasi::setRequestingShown(bool shown) {
    for (QLabel* label : c_.requestingLabels)
        label->setVisible(shown);
}

bool TFormRegistrasi::wheelOverBox(QEvent* event) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint at = mapFromGlobal(wheel->globalPosition().toPoint());
    bool handled = false;
    for (QScrollArea* box : {c_.ScrollBox1, c_.ScrollBox2}) {
        const QRect r = box->geometry();
        const int lines = wheelLines(at.x(), at.y(), {r.x(), r.y(), r.width(), r.height()},
                                     wheel->angleDelta().y());
        if (lines == 0)
            continue;
        box->verticalScrollBar()->triggerAction(lines < 0 ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
        handled = true;
    }
    return handled;
}

bool TFormRegistrasi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel)
        return wheelOverBox(event);
    const QEvent::Type type = event->type();
    // Borderless: the black bar moves the window. Only mouse events are read as such.
    if (watched == c_.Panel1 && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            dragFrom_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
            return true;
        }
        if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
            move(mouse->globalPosition().toPoint() - dragFrom_);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sumberlaras
