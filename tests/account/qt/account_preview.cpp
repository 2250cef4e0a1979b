// Shows the two account windows against the service named in the environment
// (SUMBERLARAS_SERVICE_URL, SUMBERLARAS_CA_BUNDLE), for looking at them by hand.
// With "--grab DIR" it saves pictures of both once the region lists are in, and quits.
#include <QApplication>
#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "account/qt/TFormForgotPass.h"
#include "account/qt/TFormRegistrasi.h"
#include "shell/QtDialogs.h"
#include "shell/QtTaskRunner.h"

using namespace sumberlaras;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int grabAt = args.indexOf("--grab");
    const QString grabDir = grabAt >= 0 && grabAt + 1 < args.size() ? args[grabAt + 1] : QString();

    QtTaskRunner tasks(&app);
    QtDialogs dialogs;
    JsonSlot client;
    client.store(Json{{"data", {{"daftar_pekerjaan", "Pelajar;Mahasiswa;Guru;Wiraswasta"}}}});
    const TransportConfig config = TransportConfig::fromEnvironment();
    TFormRegistrasi registration(tasks, dialogs, client, config.baseUrl, transportFetch(config));
    TFormForgotPass forgot(tasks, dialogs, [](const std::string&) {
        return Json{{"code", "500"}, {"msg", "preview only"}};
    });
    registration.show();
    forgot.move(40, 40);
    forgot.show();

    if (!grabDir.isEmpty()) {
        QTimer::singleShot(0, [&] {
            QDir().mkpath(grabDir);
            registration.grab().save(grabDir + "/registrasi-memuat.png");
        });
        QTimer::singleShot(4000, [&] {
            QDir().mkpath(grabDir);
            registration.grab().save(grabDir + "/registrasi.png");
            for (QScrollArea* box :
                 {registration.controls().ScrollBox1, registration.controls().ScrollBox2})
                box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
            registration.grab().save(grabDir + "/registrasi-bawah.png");
            forgot.grab().save(grabDir + "/lupa-sandi.png");
            app.quit();
        });
    }
    return app.exec();
}
