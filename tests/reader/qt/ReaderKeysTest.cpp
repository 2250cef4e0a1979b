#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "tests/reader/qt/FaceFixture.h"

namespace sumberlaras::testing {
namespace {

class ReaderKeys : public FaceFixture {
protected:
    void SetUp() override {
        for (const char* id : {"1", "2", "3"})
            open(id, toolsBookPdf());
        face->PageControl1()->setCurrentIndex(0);
        // Keys reach shortcuts only in the active window.
        face->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(face.get()));
        view(0)->setFocus();
        view(0)->setPageIndex(4);
    }
    void press(QKeyCombination keys) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view(0);
        QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    }
    QComboBox* zoom() const { return control<QComboBox>("cmbZoom"); }
    int startedBefore = 0;
};

TEST_F(ReaderKeys, EachKeyDoesWhatItsControlDoes) {
    using Check = std::function<void()>;
    const struct {
        const char* name;
        QKeyCombination keys;
        Check expect;
    } cases[] = {
        {"Alt+Right turns on", Qt::ALT | Qt::Key_Right,
         [this] { EXPECT_EQ(view(0)->PageIndex(), 5); }},
        {"Alt+Left turns back", Qt::ALT | Qt::Key_Left,
         [this] { EXPECT_EQ(view(0)->PageIndex(), 3); }},
        {"Ctrl+plus zooms in", Qt::CTRL | Qt::Key_Plus,
         [this] { EXPECT_EQ(zoom()->currentText(), "200%"); }},
        {"Ctrl+= zooms in", Qt::CTRL | Qt::Key_Equal,
         [this] { EXPECT_EQ(view(0)->ZoomPercentage(), 200); }},
        {"Ctrl+minus zooms out", Qt::CTRL | Qt::Key_Minus,
         [this] { EXPECT_EQ(zoom()->currentText(), "Fith Width"); }},
        {"Ctrl+Tab goes to the next book", Qt::CTRL | Qt::Key_Tab,
         [this] { EXPECT_EQ(face->activeIndex(), 1); }},
        {"Ctrl+Shift+Tab goes to the previous book, round", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab,
         [this] { EXPECT_EQ(face->activeIndex(), 2); }},
        {"F3 searches on", Qt::Key_F3, [this] { EXPECT_GT(tasks.started(), startedBefore); }},
        {"Shift+F3 searches back", Qt::SHIFT | Qt::Key_F3,
         [this] { EXPECT_GT(tasks.started(), startedBefore); }},
        {"Ctrl+W returns, after the question", Qt::CTRL | Qt::Key_W,
         [this] {
             ASSERT_FALSE(dialogs.texts().empty());
             EXPECT_EQ(dialogs.texts().back(), "Selesai dan kembalikan Buku Ini?");
             EXPECT_FALSE(face->tab(0).holdsBook());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        face->PageControl1()->setCurrentIndex(0);
        zoom()->setCurrentIndex(2);
        face->cmbZoomChange(2);
        searchBox()->setText(QStringLiteral("desa"));
        view(0)->setFocus();
        dialogs.answerNext(DialogAnswer::Yes);
        const int idle = face->readerState.at("TabSheet1").IdleTime = 7;
        startedBefore = tasks.started();
        press(c.keys);
        c.expect();
        if (face->readerState.count("TabSheet1")) {
            EXPECT_EQ(face->readerState.at("TabSheet1").IdleTime, idle) << "keys are not the mouse";
        }
        // The next case starts from the same place, with a face of its own.
        tasks.finishAll();
        face.reset();
        isSearchRunning = false;
        readCount = 0;
        makeFace();
        SetUp();
    }
}

TEST_F(ReaderKeys, CtrlZeroGoesBackTo100AndTheKeysShowInTheTooltips) {
    zoom()->setCurrentIndex(0);
    face->cmbZoomChange(0);
    press(Qt::CTRL | Qt::Key_0);
    EXPECT_EQ(zoom()->currentText(), "100%");
    EXPECT_EQ(view(0)->ZoomPercentage(), 100);
    const struct {
        const char* control;
        const char* keys;
    } shown[] = {{"btnSearchNext", "(F3)"},     {"btnSearchPrevious", "(Shift+F3)"},
                 {"btnReturn", "(Ctrl+W)"},     {"btnNext", "(Alt+Right)"},
                 {"btnPrevious", "(Alt+Left)"}, {"cmbZoom", "(Ctrl++, Ctrl+-, Ctrl+0)"},
                 {"edSearch", "(Ctrl+F)"}};
    for (const auto& s : shown) {
        QWidget* w = face->findChild<QWidget*>(QString::fromLatin1(s.control));
        ASSERT_TRUE(w) << s.control;
        EXPECT_TRUE(w->toolTip().endsWith(QString::fromLatin1(s.keys)))
            << s.control << ": " << w->toolTip().toStdString();
        EXPECT_FALSE(w->accessibleName().contains(QLatin1Char('(')))
            << "the spoken name is the hint";
    }
    EXPECT_TRUE(face->PageControl1()->tabToolTip(0).endsWith("(Ctrl+Tab, Ctrl+Shift+Tab)"));
    face->focusSearch();
    EXPECT_TRUE(searchBox()->hasFocus());
}

} // namespace
} // namespace sumberlaras::testing
