// A catalogue page on its own, without the program: `app` reaches the
// dispatcher only from the data folder, the page stays there, fetches nothing
// but its folder and the service's host, and submits no form by itself.
#include <chrono>
#include <filesystem>
#include <fstream>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "bridge/NavigationPolicy.h"
#include "bridge/qt/CataloguePage.h"
#include "tests/support/SpinUntil.h"

using namespace sumberlaras;
using namespace sumberlaras::bridge;

namespace {

using sumberlaras::testing::spinUntil;

class CataloguePageTest : public ::testing::Test {
protected:
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("sumberlaras-page-" + std::to_string(::getpid()));
    std::filesystem::path folder = root / "data folder" / "QWZ5093pmr";
    QTcpServer otherHost;
    int connections = 0;
    std::vector<std::string> delivered;
    CataloguePageRules rules;
    std::unique_ptr<QWebEngineView> view;

    void SetUp() override {
        std::filesystem::create_directories(folder);
        std::ofstream(root / "rahasia.txt") << "RAHASIA";
        ASSERT_TRUE(otherHost.listen(QHostAddress::LocalHost));
        QObject::connect(&otherHost, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = otherHost.nextPendingConnection()) {
                ++connections;
                s->close();
                s->deleteLater();
            }
        });
        rules.dataFolder = folder.string();
        rules.serviceBase = "https://127.0.0.1:9";
        rules.serviceHost = "127.0.0.1";
        rules.deliver = [this](const BridgeMessage& m) { delivered.push_back(m.name); };
        view = std::make_unique<QWebEngineView>();
        view->setPage(new CataloguePage(QWebEngineProfile::defaultProfile(), rules, view.get()));
    }
    void TearDown() override {
        view.reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }

    bool show(const std::string& name, const std::string& html) {
        std::ofstream(folder / name) << html;
        view->setUrl(QUrl(QString::fromStdString(fileUrl((folder / name).string()))));
        return spinUntil(
            [&] {
                return view->url().fileName().toStdString() == name &&
                       js("document.readyState") == "complete";
            },
            std::chrono::seconds(20));
    }
    std::string js(const QString& script) {
        bool done = false;
        QString result;
        view->page()->runJavaScript(script, [&](const QVariant& v) {
            result = v.toString();
            done = true;
        });
        spinUntil([&] { return done; }, std::chrono::seconds(10));
        return result.toStdString();
    }
    void settle() {
        spinUntil([] { return false; }, std::chrono::milliseconds(600));
    }
};

TEST_F(CataloguePageTest, AppSpeaksOnlyFromTheDataFolder) {
    ASSERT_TRUE(show("a.html", "<html><body>a</body></html>"));
    // `app` comes up once the page's channel has connected.
    EXPECT_TRUE(spinUntil([&] { return js("typeof app") == "object"; }, std::chrono::seconds(20)));
    js("app.back()");
    EXPECT_TRUE(spinUntil([&] { return !delivered.empty(); }, std::chrono::seconds(10)));
    EXPECT_EQ(delivered, std::vector<std::string>{"back"});

    // A page that is not a file of the folder has no `app`.
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    ASSERT_TRUE(spinUntil([&] { return view->url() == QUrl(QStringLiteral("about:blank")); },
                          std::chrono::seconds(20)));
    settle();
    EXPECT_EQ(js("typeof app"), "undefined");
}

TEST_F(CataloguePageTest, ThePageStaysInTheFolderAndSubmitsNoForm) {
    ASSERT_TRUE(show("form.html", "<html><body><form id='f'><input name='kata_sandi' "
                                  "value='rahasia'></form></body></html>"));
    js("document.getElementById('f').submit()");
    settle();
    EXPECT_EQ(view->url().query().toStdString(), "");
    js("location.href = '" + QString::fromStdString(fileUrl((root / "rahasia.txt").string())) +
       "'");
    settle();
    EXPECT_EQ(view->url().fileName().toStdString(), "form.html");
}

TEST_F(CataloguePageTest, NothingOutsideTheFolderOrTheServiceIsFetched) {
    const std::string other = "http://127.0.0.1:" + std::to_string(otherHost.serverPort());
    std::ofstream(folder / "own.txt") << "milik sendiri";
    ASSERT_TRUE(show("probe.html", "<html><body><img src='" + other +
                                       "/i.png'>"
                                       "<link rel=stylesheet href='" +
                                       other +
                                       "/s.css'>"
                                       "<iframe src='" +
                                       fileUrl((root / "rahasia.txt").string()) +
                                       "'></iframe></body></html>"));
    const auto read = [&](const std::string& url) {
        return js(QString::fromStdString(
            "(function(){try{var r=new XMLHttpRequest();r.open('GET','" + url +
            "',false);r.send();return r.responseText;}catch(e){return 'refused';}})()"));
    };
    EXPECT_EQ(read(fileUrl((root / "rahasia.txt").string())), "refused");
    EXPECT_EQ(read("own.txt"), "milik sendiri");
    js(QString::fromStdString("fetch('" + other + "/f').catch(function(){})"));
    settle();
    EXPECT_EQ(connections, 0);
}

} // namespace
