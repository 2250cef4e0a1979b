#include <memory>

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/account/qt/WindowTestSupport.h"
#include "account/qt/TFormForgotPass.h"
#include "service/SawiraLib.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/Standin.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

class StandinForgotPassTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Standin> standin_;
    QTemporaryDir dataHome_;
    ScriptedDialogs libDialogs_;
    std::unique_ptr<TSawiraLib> lib_;

    struct Session {
        ScriptedDialogs dialogs;
        ManualTaskRunner runner;
        TFormForgotPass form;
        explicit Session(TSawiraLib& lib)
            : form(runner, dialogs, [&lib](const std::string& username) {
                  return lib.ForgotPasswordRequest(username);
              }) {
            form.show();
        }
        bool settle() {
            return settleUntil(runner, [this] { return form.button()->isEnabled(); });
        }
    };

private slots:
    void initTestCase() {
        // The service client rebuilds its data folder; keep it out of the real home.
        qputenv("XDG_DATA_HOME", dataHome_.path().toUtf8());
        standin_ = std::make_unique<Standin>();
        standin_->exportEnvironment();
        lib_ = std::make_unique<TSawiraLib>(libDialogs_);
    }
    void init() {
        standin_->clearFailures();
        standin_->clearLog();
    }
    void cleanupTestCase() {
        lib_.reset();
        standin_.reset();
    }

    void knownAddressGetsTheMailAndIsKept() {
        Session s(*lib_);
        QTest::keyClicks(s.form.edit(), "siti@sumberlaras.id");
        QTest::keyClick(s.form.edit(), Qt::Key_Return);
        QVERIFY(s.settle());
        QCOMPARE(s.dialogs.texts(),
                 std::vector<std::string>{"Silahkan cek e-mail anda untuk langkah selanjutnya"});
        QVERIFY(!s.form.isVisible());
        s.form.show();
        QCOMPARE(s.form.edit()->text(), QString("siti@sumberlaras.id"));

        const auto log = standin_->log();
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0]["path"].get<std::string>(), std::string("/api/wl/forgotPassword"));
        QCOMPARE(log[0]["body"].get<std::string>(), std::string("username=siti%40sumberlaras.id"));
    }

    void failuresShowTheirMessageAndEmptyTheField_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("mode");
        QTest::newRow("unknown address") << "tidakada@sumberlaras.id"
                                         << "";
        QTest::newRow("connection dropped") << "siti@sumberlaras.id"
                                            << "drop";
        QTest::newRow("server error") << "siti@sumberlaras.id"
                                      << "http500";
        QTest::newRow("html answer") << "siti@sumberlaras.id"
                                     << "html";
    }
    void failuresShowTheirMessageAndEmptyTheField() {
        QFETCH(QString, address);
        QFETCH(QString, mode);
        if (!mode.isEmpty())
            standin_->failNext("/api/wl/forgotPassword", mode.toStdString());
        Session s(*lib_);
        s.form.edit()->setText(address);
        QTest::mouseClick(s.form.button(), Qt::LeftButton);
        QVERIFY(s.settle());
        const auto shown = s.dialogs.shown();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].kind, DialogKind::Error);
        QVERIFY(QString::fromStdString(shown[0].text).startsWith("Error : "));
        QVERIFY(shown[0].text.size() > std::string("Error : ").size());
        QVERIFY(s.form.isVisible());
        QCOMPARE(s.form.edit()->text(), QString());
    }
};

QTEST_MAIN(StandinForgotPassTest)
#include "StandinForgotPassTest.moc"
