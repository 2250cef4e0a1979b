// A book larger than the download limit: the reader hears why, in plain words,
// and the detail page comes back.
#include "tests/shell/ShellFixture.h"
#include "bridge/qt/QtBookDownloader.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
using namespace sumberlaras::bridge;

namespace {

using BookDownloadLimit = ShellFixture;

TEST_F(BookDownloadLimit, ABookPastTheLimitIsRefusedWithAPlainMessage) {
    startAtLogin();
    signInAndWaitForHome();
    const QString card = firstCall(Chromium1, "app.detail(");
    ASSERT_FALSE(card.isEmpty());
    js(Chromium1, card);
    ASSERT_TRUE(waitForPage(Chromium3, "detail.html"));
    const JsonPtr detail = splash->SawiraLib()->FDetailContentJson.get();
    const std::string file = "/pc/swr/" + (*detail)["data"]["nama_pc_file"].get<std::string>();
    // Announced by its Content-Length, so the real limit is tested without fetching it.
    standin.serveOversized(file, QtBookDownloader::kDefaultMaxBytes + 1, true);
    dialogs.clear();
    ASSERT_TRUE(spinUntil([&] {
        return js(Chromium3, "!!document.querySelector('.btn-baca') && "
                             "document.readyState === 'complete'")
            .toBool();
    }));
    js(Chromium3, "document.querySelector('.btn-baca').click()");
    ASSERT_TRUE(waitForDialogs(1));
    EXPECT_EQ(dialogs.texts()[0],
              "Request Error #671: Ukuran dokumen buku melebihi batas 512 MB, unduhan dihentikan");
    EXPECT_FALSE(main->catalogue().TempStream);
    EXPECT_TRUE(waitForPage(Chromium3, "detail.html"));
}

} // namespace
