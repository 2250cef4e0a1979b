#include <memory>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "tests/account/qt/WindowTestSupport.h"
#include "account/qt/TFormRegistrasi.h"
#include "tests/support/ScriptedDialogs.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

const char* const kWait = "Harap Tunggu...";

// Two provinces whose answers are not in alphabetical order, so the chain
// must sort before it picks.
void serveRegions(ScriptedService& s) {
    s.answer("/api/generic/provinsi",
             R"({"code":"200","data":[{"id":"36","nama":"BANTEN"},{"id":"11","nama":"ACEH"}]})");
    s.answer("/api/generic/kota/11", R"({"data":[{"id":"1102","nama":"KAB. ACEH SINGKIL"},)"
                                     R"({"id":"1101","nama":"KAB. ACEH SELATAN"}]})");
    s.answer("/api/generic/kota/36", R"({"data":[{"id":"3601","nama":"KAB. PANDEGLANG"}]})");
    s.answer("/api/generic/kecamatan/1101", R"({"data":[{"id":"110102","nama":"KLUET UTARA"},)"
                                            R"({"id":"110101","nama":"BAKONGAN"}]})");
    s.answer("/api/generic/kecamatan/1102", R"({"data":[{"id":"110201","nama":"SINGKIL"}]})");
    s.answer("/api/generic/kelurahan/110201",
             R"({"data":[{"id":"1102012001","nama":"PULO SARUK"}]})");
    s.answer("/api/generic/kecamatan/3601", R"({"data":[{"id":"360101","nama":"PANDEGLANG"}]})");
    s.answer("/api/generic/kelurahan/110101",
             R"({"data":[{"id":"1101012001","nama":"KEUDE BAKONGAN"}]})");
    s.answer("/api/generic/kelurahan/110102", R"({"data":[{"id":"1101022001","nama":"FAJAR"}]})");
    s.answer("/api/generic/kelurahan/360101",
             R"({"data":[{"id":"3601012001","nama":"PANDEGLANG"}]})");
}

struct Fixture {
    ScriptedService service;
    ScriptedDialogs dialogs;
    JsonSlot client;
    ManualTaskRunner runner;
    std::unique_ptr<TFormRegistrasi> form;
    QTemporaryDir photos;
    QString photoPath;

    Fixture() {
        serveRegions(service);
        client.store(Json::parse(R"({"data":{"daftar_pekerjaan":"Guru;;Petani"}})"));
        form = std::make_unique<TFormRegistrasi>(runner, dialogs, client, ScriptedService::kBase,
                                                 service.fetch());
        for (const char* name : {"ktp.jpg", "profil.png"}) {
            QFile f(photos.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray("\xFF\xD8\x00photo", 8));
        }
    }
    ~Fixture() {
        service.openGate();
        settle();
    }
    const RegistrasiControls& c() const { return form->controls(); }
    QComboBox* region(int i) const { return c().regions[i]; }

    // Until the window has no request left, completions included.
    bool settle() {
        return settleUntil(runner, [this] { return !form->requestRunning(); });
    }
    void showAndLoad() {
        form->show();
        QVERIFY(settle());
    }
    // Everything a member must enter, typed and chosen through the controls.
    void fillEntries() {
        QTest::keyClicks(c().edName, "Siti \"Ayu\" Rahayu");
        QTest::keyClicks(c().edNoIdent, "3201012345670001");
        QTest::keyClicks(c().edKotaLahir, "Bogor");
        c().edAlamat->setPlainText("Jl. Merdeka 10\nRT 01");
        QTest::keyClicks(c().edEmail, "siti@sumberlaras.id");
        QTest::keyClicks(c().edTelepon, "0812-3456");
        QTest::keyClicks(c().edPass1, "baca1234");
        QTest::keyClicks(c().edPass2, "baca1234");
        QTest::keyClicks(c().edInstansi, "SMA 1 Bogor");
        c().cmbPendidikan->setCurrentIndex(8);
        c().cmbPekerjaan->setCurrentIndex(0);
        form->setFileChooser([this](QWidget*) { return photos.filePath("ktp.jpg"); });
        QTest::mouseClick(c().btnFoto, Qt::LeftButton);
        form->setFileChooser([this](QWidget*) { return photos.filePath("profil.png"); });
        QTest::mouseClick(c().btnFotoProfil, Qt::LeftButton);
    }
    std::vector<HttpRequest> registrations() const {
        std::vector<HttpRequest> out;
        for (const auto& r : service.requests())
            if (r.method == "POST")
                out.push_back(r);
        return out;
    }
    void answerRegistration(const std::string& body) {
        service.answer("/api/wl/executeRegistration", body);
    }
};

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QStringList selections(const Fixture& f) {
    QStringList out;
    for (int i = 0; i < 4; ++i)
        out << f.region(i)->currentText();
    return out;
}

bool labelsShown(const Fixture& f) {
    for (QLabel* l : f.c().requestingLabels)
        if (l->isHidden())
            return false;
    return true;
}

} // namespace

class RegistrationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndListsAsDesigned() {
        Fixture f;
        f.service.closeGate();
        f.form->show();
        const auto& c = f.c();
        QCOMPARE(f.form->size(), QSize(785, 496));
        QCOMPARE(c.btnKirim->text(), QString("Kirim Registrasi*"));
        QCOMPARE(c.LabelJudul->text(), QString("Registrasi Akun Keanggotaan Anda"));
        QVERIFY(c.rdPria->isChecked());
        QCOMPARE(c.dateTglLahir->date(), QDate(1990, 1, 1));
        QCOMPARE(items(c.cmbKTP), QStringList({"KTP", "SIM", "Kartu Pelajar", "Lainnya"}));
        QCOMPARE(c.cmbKTP->currentText(), QString("KTP"));
        QCOMPARE(c.cmbPendidikan->count(), 11);
        QCOMPARE(c.cmbPendidikan->itemText(2), QString("Sekolah Menengah Atas / Sederajat "));
        QCOMPARE(c.cmbPendidikan->itemText(3), QString("Diploma 1 "));
        QCOMPARE(c.cmbPendidikan->itemText(8), QString("Strata 1 "));
        QCOMPARE(c.cmbPendidikan->currentIndex(), -1);
        QCOMPARE(items(c.cmbPekerjaan), QStringList({"Guru", "", "Petani"}));
        QCOMPARE(c.cmbPekerjaan->currentIndex(), -1);
        QCOMPARE(c.edPass1->echoMode(), QLineEdit::Password);
        QCOMPARE(c.edEmail->toolTip(),
                 QString("E-mail ini digunakan untuk mengakses akun perpustakaan anda"));
        QVERIFY(labelsShown(f));
        QCOMPARE(c.requestingLabels[0]->text(), QString("( Requesting Data... )"));
        for (int i = 1; i < 4; ++i) {
            QVERIFY(!f.region(i)->isEnabled());
            QCOMPARE(f.region(i)->count(), 0);
        }
        QTest::keyClicks(c.edTelepon, "08a1-2");
        QCOMPARE(c.edTelepon->text(), QString("0812"));
    }

    void chainLoadsTheAlphabeticallyFirstOfEachLevel() {
        Fixture f;
        f.showAndLoad();
        QCOMPARE(selections(f),
                 QStringList({"ACEH", "KAB. ACEH SELATAN", "BAKONGAN", "KEUDE BAKONGAN"}));
        QCOMPARE(items(f.region(0)), QStringList({"ACEH", "BANTEN"}));
        QCOMPARE(items(f.region(2)), QStringList({"BAKONGAN", "KLUET UTARA"}));
        QCOMPARE(f.service.paths(),
                 (std::vector<std::string>{"/api/generic/provinsi", "/api/generic/kota/11",
                                           "/api/generic/kecamatan/1101",
                                           "/api/generic/kelurahan/110101"}));
        QVERIFY(!f.c().requestingLabels[0]->isVisible());
        for (int i = 0; i < 4; ++i)
            QVERIFY(f.region(i)->isEnabled());
        QVERIFY(!f.form->requestRunning());
    }

    void userChangeReloadsTheLevelsBelow() {
        Fixture f;
        f.showAndLoad();
        f.service.clearRequests();
        QTest::keyClick(f.region(0), Qt::Key_Down);
        QVERIFY(labelsShown(f));
        QVERIFY(!f.region(1)->isEnabled());
        QVERIFY(f.settle());
        QCOMPARE(selections(f),
                 QStringList({"BANTEN", "KAB. PANDEGLANG", "PANDEGLANG", "PANDEGLANG"}));
        QCOMPARE(f.service.paths().front(), std::string("/api/generic/kota/36"));
        QVERIFY(f.dialogs.texts().empty());
    }

    void changeWhileLoading_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("finally");
        // The level changed while the list below it loads; the choice is kept
        // and the lists below follow it once the running request has ended.
        QTest::newRow("province") << 0 << kWait
                                  << QStringList(
                                         {"BANTEN", "KAB. PANDEGLANG", "PANDEGLANG", "PANDEGLANG"});
        QTest::newRow("city") << 1 << kWait
                              << QStringList(
                                     {"ACEH", "KAB. ACEH SINGKIL", "SINGKIL", "PULO SARUK"});
        QTest::newRow("district") << 2 << ""
                                  << QStringList(
                                         {"ACEH", "KAB. ACEH SELATAN", "KLUET UTARA", "FAJAR"});
    }
    void changeWhileLoading() {
        QFETCH(int, level);
        QFETCH(QString, message);
        QFETCH(QStringList, finally);
        Fixture f;
        f.service.closeGate();
        f.form->show();
        for (int i = 0; i <= level; ++i)
            QVERIFY(answerNext(f.service, f.runner));
        QVERIFY(f.form->requestRunning());
        QTest::keyClick(f.region(level), Qt::Key_Down);
        QCOMPARE(f.region(level)->currentIndex(), 1);
        const auto texts = f.dialogs.texts();
        QCOMPARE(texts.size(), message.isEmpty() ? size_t(0) : size_t(1));
        if (!message.isEmpty())
            QCOMPARE(QString::fromStdString(texts[0]), message);
        f.service.openGate();
        QVERIFY(f.settle());
        QCOMPARE(selections(f), finally);
    }

    void closeWhileLoadingDiscardsTheAnswer() {
        Fixture f;
        f.service.closeGate();
        f.form->show();
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{kWait});
        f.service.openGate();
        QVERIFY(f.settle());
        QCOMPARE(f.region(0)->count(), 0);
        QCOMPARE(f.service.paths().size(), size_t(1));
        QVERIFY(!f.c().requestingLabels[0]->isVisible());

        // Nothing runs now: the close goes through, and the next showing starts over.
        QVERIFY(f.form->close());
        QVERIFY(!f.form->isVisible());
        f.showAndLoad();
        QCOMPARE(selections(f),
                 QStringList({"ACEH", "KAB. ACEH SELATAN", "BAKONGAN", "KEUDE BAKONGAN"}));
    }

    void choosingARegionAfterADiscardedAnswerStartsOver() {
        Fixture f;
        f.service.closeGate();
        f.form->show();
        QVERIFY(answerNext(f.service, f.runner)); // provinces in, cities loading
        QVERIFY(!f.form->close());
        f.service.openGate();
        QVERIFY(f.settle());
        QCOMPARE(f.region(1)->count(), 0);
        QVERIFY(!f.region(1)->isEnabled());
        QVERIFY(f.region(0)->isEnabled());
        QTest::keyClick(f.region(0), Qt::Key_Down);
        QVERIFY(f.settle());
        QCOMPARE(selections(f),
                 QStringList({"BANTEN", "KAB. PANDEGLANG", "PANDEGLANG", "PANDEGLANG"}));
    }

    void levelThatComesBackEmptyOrFailedEndsTheChain_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("transportFails");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("message");
        QTest::newRow("provinces unreachable")
            << "/api/generic/provinsi" << true << "Could not connect to server" << 0
            << "Request Error #408: Could not connect to server";
        QTest::newRow("provinces not an object")
            << "/api/generic/provinsi" << false << "[]" << 0
            << "Request Error #408: answer is not a JSON object";
        QTest::newRow("districts broken") << "/api/generic/kecamatan/1101" << false << "{\"da" << 2
                                          << "Request Error : answer is not valid JSON";
        QTest::newRow("districts repeated")
            << "/api/generic/kecamatan/1101" << false
            << R"({"data":[{"id":"1","nama":"X"},{"id":"2","nama":"X"}]})" << 2
            << "Request Error : duplicate region name: X";
        QTest::newRow("no cities")
            << "/api/generic/kota/11" << false << R"({"data":[]})" << 1 << "";
    }
    void levelThatComesBackEmptyOrFailedEndsTheChain() {
        QFETCH(QString, path);
        QFETCH(bool, transportFails);
        QFETCH(QString, body);
        QFETCH(int, level);
        QFETCH(QString, message);
        Fixture f;
        if (transportFails)
            f.service.fail(path.toStdString(), body.toStdString());
        else
            f.service.answer(path.toStdString(), body.toStdString());
        f.showAndLoad();
        QCOMPARE(f.service.paths().back(), path.toStdString());
        for (int i = level; i < 4; ++i) {
            QCOMPARE(f.region(i)->count(), 0);
            QVERIFY(!f.region(i)->isEnabled());
        }
        for (int i = 0; i < level; ++i)
            QVERIFY(f.region(i)->isEnabled());
        QStringList expected;
        if (!message.isEmpty())
            expected << message;
        QStringList shown;
        for (const auto& t : f.dialogs.texts())
            shown << QString::fromStdString(t);
        QCOMPARE(shown, expected);

        // The missing choice is what the form reports.
        f.fillEntries();
        f.dialogs.clear();
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{"Semua Kolom Wajib Diisi"});
        QVERIFY(f.registrations().empty());
    }

    void checksMoveTheFocus_data() {
        QTest::addColumn<QString>("alamat");
        QTest::addColumn<QString>("pass2");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("no address") << ""
                                    << "baca1234"
                                    << "Alamat Wajib Diisi"
                                    << "edAlamat";
        QTest::newRow("passwords differ") << "Jl. A"
                                          << "baca12345"
                                          << "Ketik Ulang kata sandi anda"
                                          << "edPass2";
    }
    void checksMoveTheFocus() {
        QFETCH(QString, alamat);
        QFETCH(QString, pass2);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        Fixture f;
        f.showAndLoad();
        f.fillEntries();
        f.c().edAlamat->setPlainText(alamat);
        f.c().edPass2->setText(pass2);
        f.c().edName->setFocus();
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(f.dialogs.shown()[0].kind, DialogKind::Error);
        QVERIFY(f.form->focusWidget());
        QCOMPARE(f.form->focusWidget()->objectName(), focused);
        QVERIFY(f.registrations().empty());
    }

    void sendsThreePartsWithTheRecord() {
        Fixture f;
        f.answerRegistration(R"({"code":"200","msg":"ok"})");
        f.showAndLoad();
        f.fillEntries();
        QTest::mouseClick(f.c().rdWanita, Qt::LeftButton);
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QVERIFY(!f.c().btnKirim->isEnabled());
        QVERIFY(f.settle());

        const auto sent = f.registrations();
        QCOMPARE(sent.size(), size_t(1));
        const HttpRequest& r = sent[0];
        QCOMPARE(r.url, std::string(ScriptedService::kBase) + "/api/wl/executeRegistration");
        QCOMPARE(r.headers, (HeaderList{{"CLIENTID", "396"}, {"OS", "WIN"}}));
        QCOMPARE(r.multipart.size(), size_t(3));
        QCOMPARE(r.multipart[0].name, std::string("data"));
        QCOMPARE(r.multipart[1].name, std::string("foto_identitas"));
        QCOMPARE(r.multipart[1].fileName, std::string("ktp.jpg"));
        QCOMPARE(r.multipart[1].contentType, std::string("image/jpeg"));
        QCOMPARE(r.multipart[1].data, std::string("\xFF\xD8\x00photo", 8));
        QCOMPARE(r.multipart[2].name, std::string("photo"));
        QCOMPARE(r.multipart[2].contentType, std::string("image/png"));
        QCOMPARE(r.multipart[0].data,
                 std::string(R"({"id_mitra":"396","username":"siti@sumberlaras.id",)"
                             "\"password\":\"baca1234\",\"nama\":\"Siti \\\"Ayu\\\" Rahayu\","
                             R"("id_provinsi":"11","id_kota":"1101","id_kecamatan":"110101",)"
                             R"("id_kelurahan":"1101012001","tgl_lahir":"1990-01-01",)"
                             R"("gender":"P","nomor_identitas":"3201012345670001",)"
                             R"("jenis_identitas":"KTP","pekerjaan":"Guru",)"
                             R"("pendidikan":"Strata 1 ","alamat":"Jl. Merdeka 10\nRT 01",)"
                             R"("kota":"KAB. ACEH SELATAN","no_telepon":"08123456"})"));

        QCOMPARE(f.dialogs.texts(),
                 std::vector<std::string>{"Pendaftaran Berhasil. Silahkan Cek e-mail yang anda "
                                          "masukan untuk diverifikasi"});
        QCOMPARE(f.dialogs.shown()[0].kind, DialogKind::Information);
        QVERIFY(!f.form->isVisible());
    }

    void genderFollowsTheRadioAfterShowingAgain() {
        Fixture f;
        f.answerRegistration(R"({"code":"400","msg":"x"})");
        f.showAndLoad();
        f.fillEntries();
        QTest::mouseClick(f.c().rdWanita, Qt::LeftButton);
        QVERIFY(f.form->close());
        f.showAndLoad();
        f.c().cmbPekerjaan->setCurrentIndex(2); // rebuilt on every showing
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QVERIFY(f.settle());
        const auto sent = f.registrations();
        QCOMPARE(sent.size(), size_t(1));
        const Json record = Json::parse(sent[0].multipart[0].data);
        QCOMPARE(record["gender"].get<std::string>(), std::string("P"));
        QCOMPARE(record["pekerjaan"].get<std::string>(), std::string("Petani"));
    }

    void refusalKeepsTheWindowAndEveryEntry_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << R"({"code":"400","msg":"E-mail sudah terdaftar"})"
                                 << int(DialogKind::Error) << "E-mail sudah terdaftar";
        QTest::newRow("no code") << R"({"msg":"?"})" << int(DialogKind::Warning)
                                 << "Registrasi Gagal, Cek Koneksi Internet anda";
        QTest::newRow("html") << "<html>502 Bad Gateway</html>" << int(DialogKind::Warning)
                              << "Registrasi Gagal, Cek Koneksi Internet anda";
        QTest::newRow("empty") << "" << int(DialogKind::Error) << "Empty Response";
    }
    void refusalKeepsTheWindowAndEveryEntry() {
        QFETCH(QString, body);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Fixture f;
        f.answerRegistration(body.toStdString());
        f.showAndLoad();
        f.fillEntries();
        const RegistrationEntries before = f.form->entries();
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QVERIFY(f.settle());
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(int(f.dialogs.shown()[0].kind), kind);
        QVERIFY(f.form->isVisible());
        QVERIFY(f.c().btnKirim->isEnabled());
        const RegistrationEntries after = f.form->entries();
        QCOMPARE(after.name, before.name);
        QCOMPARE(after.alamat, before.alamat);
        QCOMPARE(after.pass1, before.pass1);
        QCOMPARE(after.kelurahan, before.kelurahan);
        QCOMPARE(after.foto, before.foto);
        for (int i = 0; i < 4; ++i)
            QVERIFY(!f.region(i)->isEnabled());
    }

    void transportFailureShowsItsDescription() {
        Fixture f;
        f.service.fail("/api/wl/executeRegistration", "SSL connect error\nline two");
        f.showAndLoad();
        f.fillEntries();
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QVERIFY(f.settle());
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{"SSL connect error\nline two"});
        QVERIFY(f.form->isVisible());
    }

    void nothingIsSentWhileAListLoads() {
        Fixture f;
        f.showAndLoad();
        f.fillEntries();
        f.service.closeGate();
        QTest::keyClick(f.region(0), Qt::Key_Down); // cities of BANTEN loading
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{kWait});
        QCOMPARE(f.dialogs.shown()[0].kind, DialogKind::Information);
        QVERIFY(f.registrations().empty());
    }

    void closingDuringRegistrationIsRefused() {
        Fixture f;
        f.answerRegistration(R"({"code":"200"})");
        f.showAndLoad();
        f.fillEntries();
        f.service.closeGate();
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QTest::mouseClick(f.c().btnClose, Qt::LeftButton);
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.dialogs.texts(),
                 std::vector<std::string>{"Harap Tunggu... Proses Registrasi Sedang Berjalan"});
        f.service.openGate();
        QVERIFY(f.settle());
        QVERIFY(!f.form->isVisible());
    }

    void missingPhotoIsReportedBeforeSending() {
        Fixture f;
        f.showAndLoad();
        f.fillEntries();
        const QString gone = f.photos.filePath("profil.png");
        QFile::remove(gone);
        QTest::mouseClick(f.c().btnKirim, Qt::LeftButton);
        QCOMPARE(f.dialogs.texts(),
                 std::vector<std::string>{"Foto tidak dapat dibaca : " + gone.toStdString()});
        QVERIFY(f.registrations().empty());
        QVERIFY(f.c().btnKirim->isEnabled());
    }

    void wheelOverABoxScrollsItOneLine() {
        Fixture f;
        f.showAndLoad();
        QScrollBar* bar = f.c().ScrollBox1->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QComboBox* target = f.region(0);
        f.c().ScrollBox1->ensureWidgetVisible(target);
        const int start = bar->value();
        const int index = target->currentIndex();
        const QPoint local(5, 5);
        QWheelEvent down(local, target->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &down);
        QCOMPARE(bar->value(), qMin(start + bar->singleStep(), bar->maximum()));
        QCOMPARE(target->currentIndex(), index);
    }
};

QTEST_MAIN(RegistrationWindowTest)
#include "TFormRegistrasiTest.moc"
