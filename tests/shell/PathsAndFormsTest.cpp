// The catalogue works from a data folder whose path needs encoding in an
// address, and no page ever submits a form by itself.
#include <QTest>

#include "tests/shell/ShellFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace sumberlaras::bridge;

namespace {

class DataHomes : public ShellFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(DataHomes, SignInReachesTheHomePage) {
    dataHome = GetParam();
    startAtLogin();
    EXPECT_NE(splash->SawiraLib()->FPath.find(GetParam()), std::string::npos);
    signInAndWaitForHome();
    EXPECT_TRUE(main->PanelHeader()->isVisible());
    EXPECT_TRUE(dialogs.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Names, DataHomes,
                         ::testing::Values("sp ace", "Ren\xC3\xA9 data", "no#1", "100%", "a?b"));

using Forms = ShellFixture;

TEST_F(Forms, ALoginFormSentBeforeItsScriptsIsRefused) {
    startAtLogin();
    // The page's scripts never arrive, so the browser would submit the form itself.
    std::filesystem::remove(splash->SawiraLib()->FPath + "/js/jquery.js");
    main->view(Chromium1).reload();
    spinUntil([] { return false; }, std::chrono::milliseconds(300));
    ASSERT_TRUE(waitForPage(Chromium1, "login.html"));
    js(Chromium1, "document.getElementById('email').value = 'siti@sumberlaras.id';"
                  "document.getElementById('kata_sandi').value = 'baca1234';"
                  "document.getElementById('kata_sandi').focus();");
    QWidget* input = web(Chromium1)->focusProxy();
    ASSERT_TRUE(input);
    QTest::keyClick(input, Qt::Key_Return);
    js(Chromium1, "document.querySelector('button[type=submit]').click()");
    spinUntil([] { return false; }, std::chrono::milliseconds(800));
    const std::string address = web(Chromium1)->url().toString().toStdString();
    EXPECT_EQ(address.find("kata_sandi"), std::string::npos) << address;
    EXPECT_EQ(address.find('?'), std::string::npos) << address;
    EXPECT_EQ(pageOf(Chromium1), "login.html");
}

using Closing = ShellFixture;

TEST_F(Closing, MessagesAndNavigationsAfterTheCloseFindNothingReleased) {
    startAtLogin();
    signInAndWaitForHome();
    const std::string folder = splash->SawiraLib()->FPath;
    ASSERT_TRUE(main->close());
    ASSERT_FALSE(splash); // the service client and the data folder are gone
    standin.clearLog();
    // A page still speaks and moves after the close was accepted.
    web(Chromium1)->page()->runJavaScript("app.topChart(); app.detail('1');"
                                          "location.href = 'file:///etc/hostname';");
    main->view(Chromium2).load(bridge::fileUrl(folder + "/index.html"));
    main->view(Chromium3).load("file:///etc/hostname");
    spinUntil([] { return false; }, std::chrono::milliseconds(800));
    EXPECT_TRUE(standin.log().empty());
    EXPECT_FALSE(std::filesystem::exists(folder));
    main.reset();
}

} // namespace
