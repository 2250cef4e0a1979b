// The main window's frame and the account windows it brings forward.
#include <QApplication>
#include <QScreen>
#include <QWindow>

#include "tests/shell/ShellFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace sumberlaras::bridge;

namespace {

using MainWindowFrame = ShellFixture;

TEST_F(MainWindowFrame, MaximisedWithABorderThatCannotBeResized) {
    ASSERT_TRUE(startProgram());
    QScreen* screen = main->screen();
    ASSERT_TRUE(screen);
    const QRect area = screen->availableGeometry();
    const auto fillsArea = [&](const QRect& a) {
        return spinUntil([&] { return main->frameGeometry() == a; }, std::chrono::seconds(5));
    };
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(fillsArea(area)) << "frame " << main->frameGeometry().width() << "x"
                                 << main->frameGeometry().height();
    EXPECT_EQ(main->minimumSize(), main->maximumSize());

    const QSize before = main->size();
    main->resize(before.width() / 2, before.height() / 2);
    EXPECT_EQ(main->size(), before);

    // What the platform reports when a task bar appears or grows.
    const QRect smaller = area.adjusted(0, 0, -area.width() / 4, -60);
    emit screen->availableGeometryChanged(smaller);
    EXPECT_TRUE(fillsArea(smaller));
    EXPECT_EQ(main->minimumSize(), main->maximumSize());
    emit screen->availableGeometryChanged(area);
    EXPECT_TRUE(fillsArea(area));
}

struct AccountCase {
    const char* name;
    const char* call; // the page's own function
    bool registration;
    bool minimised; // left minimised rather than behind the main window
};

void PrintTo(const AccountCase& c, std::ostream* os) {
    *os << c.name;
}

class AccountWindow : public ShellFixture, public ::testing::WithParamInterface<AccountCase> {
protected:
    ~AccountWindow() override {
        if (main)
            main->setAccountWindows(nullptr, nullptr); // these go before the window does
    }
    QWidget registration;
    QWidget forgotPassword;
};

TEST_P(AccountWindow, ASecondClickBringsTheOpenWindowForward) {
    const auto& c = GetParam();
    registration.setWindowTitle(QStringLiteral("Registrasi"));
    forgotPassword.setWindowTitle(QStringLiteral("Lupa Kata Sandi"));
    startAtLogin();
    main->setAccountWindows(&registration, &forgotPassword);
    QWidget* wanted = c.registration ? &registration : &forgotPassword;
    const auto active = [&](QWidget* w) {
        return spinUntil([&] { return QApplication::activeWindow() == w; },
                         std::chrono::seconds(5));
    };

    js(Chromium1, c.call);
    ASSERT_TRUE(active(wanted));
    if (c.minimised) {
        wanted->showMinimized();
        ASSERT_TRUE(spinUntil([&] { return wanted->isMinimized(); }));
    }
    main->raise();
    main->activateWindow();
    ASSERT_TRUE(active(main.get()));

    js(Chromium1, c.call);
    EXPECT_TRUE(active(wanted));
    EXPECT_TRUE(wanted->isVisible());
    EXPECT_FALSE(wanted->isMinimized());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, AccountWindow,
    ::testing::Values(AccountCase{"registerBehind", "app.registerPage()", true, false},
                      AccountCase{"registerMinimised", "app.registerPage()", true, true},
                      AccountCase{"forgotPassBehind", "app.forgotPass()", false, false},
                      AccountCase{"forgotPassMinimised", "app.forgotPass()", false, true}),
    [](const auto& i) { return std::string(i.param.name); });

} // namespace
