// The installed program: laid out by `cmake --install` into a folder of its
// own, its desktop files pass their validators, and it starts from there
// against the stand-in and shows the login page.
#include <chrono>
#include <filesystem>
#include <thread>

#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/Standin.h"

namespace {

namespace fs = std::filesystem;
using sumberlaras::testing::Standin;

// Runs a command to its end; its exit code, its output in `output`.
int run(const QString& program, const QStringList& args, std::string& output,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(300000))
        return -1;
    output = p.readAll().toStdString();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class Installed : public ::testing::Test {
protected:
    Installed() {
        root = fs::temp_directory_path() / ("sumberlaras-install-" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    ~Installed() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(10000);
        }
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path root;
    QProcess program;
};

TEST_F(Installed, TheInstalledProgramIsCompleteValidAndStarts) {
    const fs::path dest = root / "dest";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", QString::fromStdString(dest.string()));
    std::string output;
    ASSERT_EQ(run(QStringLiteral(SUMBERLARAS_CMAKE),
                  {"--install", QStringLiteral(SUMBERLARAS_BUILD_DIR), "--prefix", "/usr"}, output,
                  env),
              0)
        << output;
    const fs::path usr = dest / "usr";
    const std::string app = "id.sumberlaras.Sumberlaras";
    for (const fs::path& f :
         {usr / "bin/Sumberlaras", usr / "bin/x86/libpdfium.so", usr / "bin/fa-solid-900.ttf",
          usr / "share/applications" / (app + ".desktop"),
          usr / "share/metainfo" / (app + ".metainfo.xml"),
          usr / "share/icons/hicolor/scalable/apps" / (app + ".svg"),
          usr / "share/icons/hicolor/48x48/apps" / (app + ".png"),
          usr / "share/icons/hicolor/256x256/apps" / (app + ".png"),
          usr / "share/doc/sumberlaras/licenses/PDFium.txt",
          usr / "share/doc/sumberlaras/licenses/Font-Awesome-Free.txt",
          usr / "share/doc/sumberlaras/licenses/jquery.txt",
          usr / "share/doc/sumberlaras/licenses/DejaVu-fonts.txt"})
        EXPECT_TRUE(fs::is_regular_file(f)) << f;

    EXPECT_EQ(
        run("desktop-file-validate",
            {QString::fromStdString((usr / "share/applications" / (app + ".desktop")).string())},
            output),
        0)
        << output;
    EXPECT_EQ(output, "") << "warnings too";
    EXPECT_EQ(
        run("appstreamcli",
            {"validate", "--no-net",
             QString::fromStdString((usr / "share/metainfo" / (app + ".metainfo.xml")).string())},
            output),
        0)
        << output;

    // Started from where it was installed, it finds PDFium and its pages there.
    Standin standin;
    QProcessEnvironment programEnv = QProcessEnvironment::systemEnvironment();
    programEnv.insert("SUMBERLARAS_SERVICE_URL", QString::fromStdString(standin.baseUrl()));
    programEnv.insert("SUMBERLARAS_CA_BUNDLE", QString::fromStdString(standin.caFile()));
    programEnv.insert("XDG_DATA_HOME", QString::fromStdString((root / "data").string()));
    programEnv.insert("QT_QPA_PLATFORM", "offscreen");
    programEnv.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    program.setProcessEnvironment(programEnv);
    program.setWorkingDirectory(QString::fromStdString(root.string()));
    program.start(QString::fromStdString((usr / "bin/Sumberlaras").string()), {});
    ASSERT_TRUE(program.waitForStarted(20000));
    const fs::path login = root / "data" / "QWZ5093pmr" / "login.html";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    while (!fs::exists(login) && std::chrono::steady_clock::now() < deadline &&
           program.state() == QProcess::Running)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(fs::exists(login)) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
}

} // namespace
