#include <atomic>
#include <memory>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/account/qt/WindowTestSupport.h"
#include "account/qt/TFormForgotPass.h"
#include "tests/support/ScriptedDialogs.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

// Stands in for the service client's reset request: answers with a fixed
// envelope and remembers the addresses it was asked for.
struct ResetService {
    Json answer = Json{{"code", "200"}, {"msg", "ok"}};
    std::mutex mutex;
    std::vector<std::string> asked;

    TFormForgotPass::ForgotPasswordRequest request() {
        return [this](const std::string& username) {
            std::lock_guard lock(mutex);
            asked.push_back(username);
            return answer;
        };
    }
};

struct Fixture {
    ResetService service;
    ScriptedDialogs dialogs;
    ManualTaskRunner runner;
    TFormForgotPass form{runner, dialogs, service.request()};

    Fixture() { form.show(); }
    bool settle() {
        return settleUntil(runner, [this] { return form.button()->isEnabled(); });
    }
    void submit(bool byEnter) {
        if (byEnter)
            QTest::keyClick(form.edit(), Qt::Key_Return);
        else
            QTest::mouseClick(form.button(), Qt::LeftButton);
    }
};

} // namespace

class ForgotPassWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowAsDesigned() {
        Fixture f;
        QCOMPARE(f.form.windowTitle(), QString("Lupa Kata Sandi"));
        QCOMPARE(f.form.size(), QSize(436, 266));
        QCOMPARE(f.form.button()->text(), QString("Reset Kata Sandi"));
        QCOMPARE(f.form.button()->geometry(), QRect(104, 187, 225, 25));
    }

    void addressIsCheckedBeforeSending_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("message");
        for (bool enter : {false, true}) {
            const char* how = enter ? "enter" : "button";
            QTest::addRow("%s, empty", how) << enter << ""
                                            << "Alamat E-mail wajib diisi";
            QTest::addRow("%s, no domain", how) << enter << "siti@"
                                                << "Format E-mail salah";
            QTest::addRow("%s, no at", how) << enter << "siti.sumberlaras.id"
                                            << "Format E-mail salah";
        }
    }
    void addressIsCheckedBeforeSending() {
        QFETCH(bool, byEnter);
        QFETCH(QString, address);
        QFETCH(QString, message);
        Fixture f;
        f.form.edit()->setText(address);
        f.submit(byEnter);
        QVERIFY(f.settle());
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(f.dialogs.shown()[0].kind, DialogKind::Warning);
        QCOMPARE(f.runner.started(), 0);
        QCOMPARE(f.form.edit()->text(), address);
        QCOMPARE(f.form.focusWidget(), static_cast<QWidget*>(f.form.edit()));
    }

    void outcomeOfTheRequest_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("message");
        for (bool enter : {false, true}) {
            const char* how = enter ? "enter" : "button";
            QTest::addRow("%s, sent", how) << enter << R"({"code":"200","msg":"ok"})" << true
                                           << "Silahkan cek e-mail anda untuk langkah selanjutnya";
            QTest::addRow("%s, refused", how)
                << enter << R"({"code":"404","msg":"E-mail tidak terdaftar"})" << false
                << "Error : E-mail tidak terdaftar";
            QTest::addRow("%s, transport failure", how)
                << enter << R"({"code":"500","msg":"Could not connect to server\nrefused"})"
                << false << "Error : Could not connect to server\nrefused";
        }
    }
    void outcomeOfTheRequest() {
        QFETCH(bool, byEnter);
        QFETCH(QString, answer);
        QFETCH(bool, sent);
        QFETCH(QString, message);
        Fixture f;
        f.service.answer = Json::parse(answer.toStdString());
        QTest::keyClicks(f.form.edit(), "siti@sumberlaras.id");
        f.submit(byEnter);
        QVERIFY(!f.form.button()->isEnabled());
        QVERIFY(f.settle());
        QCOMPARE(f.service.asked, std::vector<std::string>{"siti@sumberlaras.id"});
        QCOMPARE(f.dialogs.texts(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(f.dialogs.shown()[0].kind, sent ? DialogKind::Information : DialogKind::Error);
        QVERIFY(f.form.button()->isEnabled());
        QCOMPARE(f.form.isVisible(), !sent);
        QCOMPARE(f.form.edit()->text(), sent ? QString("siti@sumberlaras.id") : QString());
        if (!sent)
            QCOMPARE(f.form.focusWidget(), static_cast<QWidget*>(f.form.edit()));
    }

    void addressStaysForTheNextShowing() {
        Fixture f;
        QTest::keyClicks(f.form.edit(), "siti@sumberlaras.id");
        f.submit(true);
        QVERIFY(f.settle());
        QVERIFY(!f.form.isVisible());
        f.form.show();
        QCOMPARE(f.form.edit()->text(), QString("siti@sumberlaras.id"));
    }

    void oneRequestAtATime() {
        Fixture f;
        QTest::keyClicks(f.form.edit(), "siti@sumberlaras.id");
        f.submit(true);
        f.submit(true);
        f.submit(false);
        QVERIFY(f.settle());
        QCOMPARE(f.runner.started(), 1);
        QCOMPARE(f.dialogs.texts().size(), size_t(1));
    }
};

QTEST_MAIN(ForgotPassWindowTest)
#include "TFormForgotPassTest.moc"
