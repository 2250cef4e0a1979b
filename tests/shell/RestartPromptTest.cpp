// The program itself, run as the user runs it: when its loading page is gone
// and the user agrees to restart, the process ends, with a failure status and
// without leaving any of the browser's render processes behind.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QProcess>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/Standin.h"

using sumberlaras::testing::Standin;
namespace fs = std::filesystem;

namespace {

struct ProcessEntry {
    pid_t pid = 0;
    pid_t parent = 0;
    char state = '?';
    std::string name;
};

std::vector<ProcessEntry> processes() {
    std::vector<ProcessEntry> out;
    std::error_code ec;
    for (const auto& dir : fs::directory_iterator("/proc", ec)) {
        std::ifstream in(dir.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces and parentheses.
        const auto open = stat.find('('), close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close + 4 > stat.size())
            continue;
        ProcessEntry e;
        e.pid = std::atoi(stat.c_str());
        e.name = stat.substr(open + 1, close - open - 1);
        e.state = stat[close + 2];
        e.parent = std::atoi(stat.c_str() + close + 4);
        out.push_back(e);
    }
    return out;
}

// The browser's processes that are children of this one. As a subreaper this
// process inherits every orphan of the program, so none escapes the count.
// Ended ones are reaped; `own` are this process's own, from before the program.
std::vector<pid_t> renderProcesses(const std::set<pid_t>& own = {}) {
    std::vector<pid_t> alive;
    for (const auto& p : processes()) {
        if (p.parent != getpid() || p.name.rfind("QtWebEngine", 0) != 0 || own.count(p.pid))
            continue;
        if (p.state == 'Z')
            waitpid(p.pid, nullptr, WNOHANG);
        else
            alive.push_back(p.pid);
    }
    return alive;
}

template <class Pred> bool waitFor(Pred done, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool logged(const Standin& standin, const std::string& path) {
    for (const auto& entry : standin.log())
        if (entry["path"] == path)
            return true;
    return false;
}

class ProgramExit : public ::testing::Test {
protected:
    ProgramExit() {
        root = fs::temp_directory_path() / ("sumberlaras-exit-" + std::to_string(getpid()));
        fs::create_directories(root);
    }
    ~ProgramExit() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(10000);
        }
        for (pid_t pid : renderProcesses(own))
            kill(pid, SIGKILL);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    void start(const char* answers) {
        for (pid_t pid : renderProcesses())
            own.insert(pid);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SUMBERLARAS_SERVICE_URL", QString::fromStdString(standin.baseUrl()));
        env.insert("SUMBERLARAS_CA_BUNDLE", QString::fromStdString(standin.caFile()));
        env.insert("XDG_DATA_HOME", QString::fromStdString((root / "data").string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
        env.insert("QT_LOGGING_RULES", "sumberlaras.dialog.info=true");
        env.insert("SUMBERLARAS_DIALOG_ANSWERS", answers);
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(QString::fromStdString(root.string()));
        program.start(QStringLiteral(SUMBERLARAS_PROGRAM), {});
        ASSERT_TRUE(program.waitForStarted(20000)) << program.errorString().toStdString();
    }

    fs::path dataFolder() const { return root / "data" / "QWZ5093pmr"; }

    Standin standin;
    fs::path root;
    QProcess program;
    std::set<pid_t> own;
};

TEST_F(ProgramExit, AgreeingToRestartEndsTheProcess) {
    // Orphaned render processes come to this process, where the test can see them.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    // The version check is held while the test takes the loading page away.
    standin.failNext("/api/wl/checkAppVersion", "delay", 1, 5000);
    start("ok");
    // The data folder is complete before the check is sent.
    ASSERT_TRUE(waitFor([&] { return logged(standin, "/api/wl/checkAppVersion"); },
                        std::chrono::seconds(60)));
    ASSERT_TRUE(fs::remove(dataFolder() / "loading.html"));

    // Generous: a program that never quits runs into it.
    const bool ended = program.waitForFinished(120000);
    const std::string output = program.readAllStandardError().toStdString();
    ASSERT_TRUE(ended) << "the program is still running\n" << output;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_NE(program.exitCode(), 0);
    EXPECT_NE(output.find("confirmation: Harap mulai ulang aplikasi ini"), std::string::npos)
        << output;
    EXPECT_NE(output.find("answer: OK"), std::string::npos) << output;
    EXPECT_TRUE(waitFor([&] { return renderProcesses(own).empty(); }, std::chrono::seconds(30)))
        << renderProcesses(own).size() << " render processes left";
    EXPECT_FALSE(fs::exists(dataFolder())) << "the data folder outlived the program";
}

// The state of every file of a folder: name, inode and change time.
std::map<std::string, std::pair<ino_t, int64_t>> snapshot(const fs::path& folder) {
    std::map<std::string, std::pair<ino_t, int64_t>> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        struct stat st {};
        if (::lstat(e.path().c_str(), &st) == 0)
            out[e.path().string()] = {st.st_ino,
                                      int64_t(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
    }
    return out;
}

TEST_F(ProgramExit, ASecondStartEndsAndLeavesTheFirstOnesDataFolderAlone) {
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    start("");
    ASSERT_TRUE(
        waitFor([&] { return fs::exists(dataFolder() / "login.html"); }, std::chrono::seconds(60)));
    // The first start is done writing once its folder stays still.
    auto before = snapshot(dataFolder());
    ASSERT_TRUE(waitFor(
        [&] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const auto now = snapshot(dataFolder());
            return std::exchange(before, now) == now;
        },
        std::chrono::seconds(30)));

    QProcess second;
    second.setProcessEnvironment(program.processEnvironment());
    second.setWorkingDirectory(program.workingDirectory());
    second.start(QStringLiteral(SUMBERLARAS_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(60000)) << "the second start is still running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    EXPECT_EQ(snapshot(dataFolder()), before) << "the data folder was touched";
}

} // namespace
