#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/account/qt/WindowTestSupport.h"
#include "account/qt/TFormRegistrasi.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/Standin.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

// The region names the window should end up with, found independently: the
// case-insensitively smallest name of each level, level after level.
QStringList firstRegions(const TransportConfig& config) {
    QStringList names;
    std::string path = "/api/generic/provinsi";
    for (const char* below :
         {"/api/generic/kota/", "/api/generic/kecamatan/", "/api/generic/kelurahan/", ""}) {
        HttpRequest get;
        get.url = config.baseUrl + path;
        const Json data = Json::parse(performRequest(get, config).body)["data"];
        if (data.empty())
            break;
        auto lower = [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(), ::tolower);
            return s;
        };
        const auto first = std::min_element(data.begin(), data.end(), [&](auto& a, auto& b) {
            return lower(a["nama"].template get<std::string>()) <
                   lower(b["nama"].template get<std::string>());
        });
        names << QString::fromStdString((*first)["nama"].get<std::string>());
        path = below + (*first)["id"].get<std::string>();
    }
    return names;
}

QStringList selections(const TFormRegistrasi& form) {
    QStringList out;
    for (QComboBox* c : form.controls().regions)
        out << c->currentText();
    return out;
}

} // namespace

class StandinRegistrationTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Standin> standin_;
    TransportConfig config_;
    QTemporaryDir photos_;
    int registered_ = 0;

    struct Session {
        ScriptedDialogs dialogs;
        JsonSlot client;
        ManualTaskRunner runner;
        std::unique_ptr<TFormRegistrasi> form;
        explicit Session(const TransportConfig& config) {
            client.store(Json::parse(R"({"data":{"daftar_pekerjaan":"Guru;Pelajar"}})"));
            form = std::make_unique<TFormRegistrasi>(runner, dialogs, client, config.baseUrl,
                                                     transportFetch(config));
        }
        ~Session() { settle(); }
        bool settle() {
            return settleUntil(runner, [this] { return !form->requestRunning(); });
        }
        const RegistrasiControls& c() const { return form->controls(); }
    };

    void fill(Session& s, const std::string& email) {
        const auto& c = s.c();
        c.edName->setText("Siti \"Ayu\" Rahayu");
        c.edNoIdent->setText("3201012345670001");
        c.edKotaLahir->setText("Bogor");
        c.edAlamat->setPlainText("Jl. Merdeka 10\nRT 01/RW 02");
        c.edEmail->setText(QString::fromStdString(email));
        c.edTelepon->setText("081234567890");
        c.edPass1->setText("baca1234");
        c.edPass2->setText("baca1234");
        c.edInstansi->setText("SMA 1 Bogor");
        c.cmbPendidikan->setCurrentIndex(2);
        c.cmbPekerjaan->setCurrentIndex(1);
        c.edFoto->setText(photos_.filePath("ktp.jpg"));
        c.edFotoProfil->setText(photos_.filePath("profil.png"));
    }
    std::string freshEmail() {
        return "anggota" + std::to_string(++registered_) + "@sumberlaras.id";
    }
    std::optional<Json> lastRegistration() const {
        std::optional<Json> found;
        for (const auto& entry : standin_->log())
            if (entry["path"] == "/api/wl/executeRegistration")
                found = entry;
        return found;
    }

private slots:
    void initTestCase() {
        standin_ = std::make_unique<Standin>();
        standin_->exportEnvironment();
        config_ = TransportConfig::fromEnvironment();
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(photos_.filePath("ktp.jpg"), "JPG"));
        QVERIFY(image.save(photos_.filePath("profil.png"), "PNG"));
    }
    void init() {
        standin_->clearFailures();
        standin_->clearLog();
    }
    void cleanupTestCase() { standin_.reset(); }

    void chainLoadsTheFirstEntryOfEachLevel() {
        const QStringList expected = firstRegions(config_);
        QCOMPARE(expected.size(), 4);
        standin_->clearLog();
        Session s(config_);
        s.form->show();
        QVERIFY(s.settle());
        QCOMPARE(selections(*s.form), expected);
        QVERIFY(s.dialogs.texts().empty());
        QStringList paths;
        for (const auto& entry : standin_->log())
            paths << QString::fromStdString(entry["path"].get<std::string>());
        QCOMPARE(paths.size(), 4);
        QCOMPARE(paths[0], QString("/api/generic/provinsi"));
    }

    void changeWhileLoading_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("message");
        QTest::newRow("province") << 0 << "Harap Tunggu...";
        QTest::newRow("city") << 1 << "Harap Tunggu...";
        QTest::newRow("district") << 2 << "";
    }
    void changeWhileLoading() {
        QFETCH(int, level);
        QFETCH(QString, message);
        Session s(config_);
        s.form->show();
        // Completions wait for the test, so the level below stays "loading".
        for (int i = 0; i <= level; ++i)
            QVERIFY(deliverNext(s.runner));
        QVERIFY(s.form->requestRunning());
        QComboBox* combo = s.c().regions[level];
        if (combo->count() < 2)
            QSKIP("the seeded level has a single entry");
        QTest::keyClick(combo, Qt::Key_Down);
        QStringList shown;
        for (const auto& t : s.dialogs.texts())
            shown << QString::fromStdString(t);
        QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(s.settle());
    }

    void closeWhileLoadingIsRefusedAndTheAnswerDiscarded() {
        Session s(config_);
        s.form->show();
        QVERIFY(!s.form->close());
        QCOMPARE(s.dialogs.texts(), std::vector<std::string>{"Harap Tunggu..."});
        QVERIFY(s.settle());
        QCOMPARE(s.c().regions[0]->count(), 0);
        QCOMPARE(standin_->log().size(), size_t(1));
        QVERIFY(s.form->close());
    }

    void registrationSendsThreePartsWithTheRecord() {
        Session s(config_);
        s.form->show();
        QVERIFY(s.settle());
        const std::string email = freshEmail();
        fill(s, email);
        QTest::mouseClick(s.c().rdWanita, Qt::LeftButton);
        QVERIFY(s.form->close()); // closed and shown again before sending
        s.form->show();
        QVERIFY(s.settle());
        s.c().cmbPekerjaan->setCurrentIndex(1);
        standin_->clearLog();
        QTest::mouseClick(s.c().btnKirim, Qt::LeftButton);
        QVERIFY(s.settle());

        QCOMPARE(s.dialogs.texts(),
                 std::vector<std::string>{"Pendaftaran Berhasil. Silahkan Cek e-mail yang anda "
                                          "masukan untuk diverifikasi"});
        QVERIFY(!s.form->isVisible());

        const auto sent = lastRegistration();
        QVERIFY(sent);
        QCOMPARE((*sent)["method"].get<std::string>(), std::string("POST"));
        std::vector<std::string> programHeaders;
        for (const auto& h : (*sent)["headers"]) {
            const std::string name = h[0];
            if (name == "CLIENTID" || name == "OS" || name == "UUID" || name == "KEY" ||
                name == "USERID" || name == "USERLEVEL")
                programHeaders.push_back(name + "=" + h[1].get<std::string>());
        }
        QCOMPARE(programHeaders, (std::vector<std::string>{"CLIENTID=396", "OS=WIN"}));
        // The service sees the parts by name; their order on the wire is the
        // request's own (checked where the request is built).
        std::map<std::string, Json> parts;
        for (const auto& part : (*sent)["parts"])
            parts[part["name"].get<std::string>()] = part;
        QCOMPARE(parts.size(), size_t(3));
        QVERIFY(QString::fromStdString((*sent)["content_type"].get<std::string>())
                    .startsWith("multipart/form-data; boundary="));
        QCOMPARE(parts["data"]["content_type"].get<std::string>(),
                 std::string("application/json; charset=utf-8"));
        QCOMPARE(parts["data"]["filename"].get<std::string>(), std::string());
        QCOMPARE(parts["foto_identitas"]["filename"].get<std::string>(), std::string("ktp.jpg"));
        QCOMPARE(parts["foto_identitas"]["content_type"].get<std::string>(),
                 std::string("image/jpeg"));
        QCOMPARE(parts["photo"]["filename"].get<std::string>(), std::string("profil.png"));
        QCOMPARE(parts["photo"]["content_type"].get<std::string>(), std::string("image/png"));
        QCOMPARE(parts["photo"]["size"].get<qint64>(),
                 QFileInfo(photos_.filePath("profil.png")).size());

        const Json record = Json::parse(parts["data"]["content"].get<std::string>());
        QStringList members;
        for (const auto& [key, value] : record.items()) {
            members << QString::fromStdString(key);
            QVERIFY(value.is_string());
        }
        QCOMPARE(members, QStringList({"id_mitra", "username", "password", "nama", "id_provinsi",
                                       "id_kota", "id_kecamatan", "id_kelurahan", "tgl_lahir",
                                       "gender", "nomor_identitas", "jenis_identitas", "pekerjaan",
                                       "pendidikan", "alamat", "kota", "no_telepon"}));
        QCOMPARE(record["username"].get<std::string>(), email);
        QCOMPARE(record["nama"].get<std::string>(), std::string("Siti \"Ayu\" Rahayu"));
        QCOMPARE(record["alamat"].get<std::string>(), std::string("Jl. Merdeka 10\nRT 01/RW 02"));
        QCOMPARE(record["gender"].get<std::string>(), std::string("P"));
        QCOMPARE(record["tgl_lahir"].get<std::string>(), std::string("1990-01-01"));
        QCOMPARE(record["pendidikan"].get<std::string>(),
                 std::string("Sekolah Menengah Atas / Sederajat "));
        QCOMPARE(record["pekerjaan"].get<std::string>(), std::string("Pelajar"));
        QCOMPARE(QString::fromStdString(record["kota"].get<std::string>()),
                 s.c().regions[1]->currentText());
    }

    void refusalKeepsTheWindowOpenWithEveryEntry_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("already registered")
            << "" << int(DialogKind::Error) << "E-mail sudah terdaftar";
        QTest::newRow("html") << "html" << int(DialogKind::Warning)
                              << "Registrasi Gagal, Cek Koneksi Internet anda";
        QTest::newRow("array") << "array" << int(DialogKind::Warning)
                               << "Registrasi Gagal, Cek Koneksi Internet anda";
        QTest::newRow("empty") << "empty" << int(DialogKind::Error) << "Empty Response";
        QTest::newRow("dropped") << "drop" << int(DialogKind::Error) << "";
        QTest::newRow("server error") << "http500" << int(DialogKind::Error) << "";
    }
    void refusalKeepsTheWindowOpenWithEveryEntry() {
        QFETCH(QString, mode);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Session s(config_);
        s.form->show();
        QVERIFY(s.settle());
        fill(s, mode.isEmpty() ? "siti@sumberlaras.id" : freshEmail());
        if (!mode.isEmpty())
            standin_->failNext("/api/wl/executeRegistration", mode.toStdString());
        const RegistrationEntries before = s.form->entries();
        QTest::mouseClick(s.c().btnKirim, Qt::LeftButton);
        QVERIFY(s.settle());
        const auto shown = s.dialogs.shown();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(int(shown[0].kind), kind);
        if (message.isEmpty())
            QVERIFY(!shown[0].text.empty()); // the transport's own description
        else
            QCOMPARE(QString::fromStdString(shown[0].text), message);
        QVERIFY(s.form->isVisible());
        QVERIFY(s.c().btnKirim->isEnabled());
        const RegistrationEntries after = s.form->entries();
        QCOMPARE(after.name, before.name);
        QCOMPARE(after.alamat, before.alamat);
        QCOMPARE(after.email, before.email);
        QCOMPARE(after.kelurahan, before.kelurahan);
        QCOMPARE(after.fotoProfil, before.fotoProfil);
    }
};

QTEST_MAIN(StandinRegistrationTest)
#include "StandinRegistrationTest.moc"
