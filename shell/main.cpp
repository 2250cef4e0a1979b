#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QWebEngineProfile>

#include "service/DataFolder.h"
#include "shell/MainWindow.h"
#include "shell/Placeholder.h"
#include "shell/QtDialogs.h"
#include "shell/SingleInstance.h"
#include "shell/Splash.h"
#ifdef SUMBERLARAS_HAVE_ACCOUNT_WINDOWS
#include "account/HttpFetch.h"
#include "account/qt/TFormForgotPass.h"
#include "account/qt/TFormRegistrasi.h"
#endif

using namespace sumberlaras;

namespace {

// The external updater: SUMBERLARAS_UPDATER, or "updater" beside the program.
void startUpdater(const std::string& url) {
    const char* configured = std::getenv("SUMBERLARAS_UPDATER");
    const QString program = configured && *configured
                                ? QString::fromLocal8Bit(configured)
                                : QDir(QCoreApplication::applicationDirPath()).filePath("updater");
    QProcess::startDetached(program, {QString::fromStdString(url)}); // failures are not reported
}

void openInBrowser(const std::string& url) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

// Maximised, also where no window manager is there to do it.
void showFullArea(QWidget& w) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        w.setGeometry(screen->availableGeometry());
    w.showMaximized();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Sumberlaras"));
    app.setQuitOnLastWindowClosed(true);

    // A second start would rebuild the data folder under the first one.
    SingleInstance instance(QString::fromStdString(platformDataRoot()));
    if (!instance.first()) {
        instance.askFirstToShow();
        return 0;
    }

    // The browser's cache lives in "cache" of the working folder and survives runs.
    QWebEngineProfile profile(QStringLiteral("Sumberlaras"));
    profile.setCachePath(QDir::current().absoluteFilePath(QStringLiteral("cache")));
    profile.setHttpCacheType(QWebEngineProfile::DiskHttpCache);

    QtDialogs dialogs;
    // Unattended runs (the tests of the whole program) answer the boxes in advance.
    if (const char* answers = std::getenv("SUMBERLARAS_DIALOG_ANSWERS"))
        dialogs.setScriptedAnswers(QtDialogs::answersFromText(answers));
    QPointer<TFormSplash> splash = new TFormSplash(dialogs);
    showFullArea(*splash); // creates the service client and starts the version check
    splash->repaint();
    app.processEvents();

    std::unique_ptr<TFormMain> mainWindow;
    std::unique_ptr<QWidget> registration, forgotPassword;
    instance.onShowRequested([&mainWindow, &splash] {
        QWidget* front = mainWindow && mainWindow->isVisible() ? mainWindow.get()
                                                               : static_cast<QWidget*>(splash);
        if (!front)
            return;
        if (front->isMinimized())
            front->showNormal();
        front->raise();
        front->activateWindow();
    });
    try {
        // Beside the data folder, never in it: that one is rebuilt at every start.
        const QString journal =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/pending";
        mainWindow = std::make_unique<TFormMain>(
            *splash, ShellEnvironment{dialogs, openInBrowser, startUpdater, &profile, nullptr,
                                      nullptr, journal.toStdString()});
        TSawiraLib& lib = *splash->SawiraLib();
#ifdef SUMBERLARAS_HAVE_ACCOUNT_WINDOWS
        registration =
            std::make_unique<TFormRegistrasi>(mainWindow->tasks(), dialogs, lib.FClientJson,
                                              lib.baseUrl(), transportFetch(lib.transport()));
        forgotPassword = std::make_unique<TFormForgotPass>(
            mainWindow->tasks(), dialogs,
            [&lib](const std::string& user) { return lib.ForgotPasswordRequest(user); });
#else
        (void)lib;
        registration.reset(placeholderWindow(QStringLiteral("Registrasi")));
        forgotPassword.reset(placeholderWindow(QStringLiteral("Lupa Kata Sandi")));
#endif
        mainWindow->setAccountWindows(registration.get(), forgotPassword.get());
    } catch (const std::exception&) {
        delete splash.data();
        return 1;
    }
    dialogs.setParent(mainWindow.get());

    while (splash && !splash->completed())
        app.processEvents(QEventLoop::WaitForMoreEvents);
    if (!splash || splash->terminateRequested()) {
        mainWindow.reset();
        registration.reset();
        forgotPassword.reset();
        delete splash.data();
        return 0;
    }
    splash->hide();
    showFullArea(*mainWindow);
    // A window that closed at once never starts the loop: its quit would be lost.
    const int rc = mainWindow->FormShow() ? app.exec() : mainWindow->exitCode();
    mainWindow.reset();
    registration.reset();
    forgotPassword.reset();
    delete splash.data();
    return rc;
}
