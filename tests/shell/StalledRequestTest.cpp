// A request that hangs at the service never holds up the window.
#include <QPushButton>
#include <QTest>

#include "tests/shell/ShellFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace sumberlaras::bridge;

namespace {

using StalledRequest = ShellFixture;

TEST_F(StalledRequest, ADetailClickShowsItsPageWhileTheHomeRequestHangs) {
    startAtLogin();
    signInAndWaitForHome();
    standin.failNext("/api/wl/listHomepage", "stall", 1, 60000);
    standin.clearLog();
    js(Chromium1, "app.loadMore()");
    ASSERT_TRUE(spinUntil(
        [&] { return standin.log().dump().find("/api/wl/listHomepage") != std::string::npos; }));
    ASSERT_TRUE(main->catalogue().FTaskControl);

    const QString book = firstCall(Chromium1, "app.detail");
    ASSERT_FALSE(book.isEmpty());
    js(Chromium1, book);
    ASSERT_TRUE(waitForPage(Chromium3, "detail.html"));
    EXPECT_TRUE(front(Chromium3));
    // The window goes on answering: another page's script runs, a click is served.
    EXPECT_EQ(js(Chromium1, "1 + 1").toInt(), 2);
    QPushButton* about = nullptr;
    for (auto* b : main->PanelHeader()->findChildren<QPushButton*>())
        if (b->toolTip() == QStringLiteral("Tentang Aplikasi"))
            about = b;
    ASSERT_TRUE(about);
    QTest::mouseClick(about, Qt::LeftButton);
    EXPECT_TRUE(spinUntil([&] { return main->about().isVisible(); }));
}

} // namespace
