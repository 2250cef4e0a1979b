#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/service/LibFixture.h"
#include "service/DataFolder.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
namespace fs = std::filesystem;

namespace {

class DataFolder : public ::testing::Test, protected LibFixture {};

TEST_F(DataFolder, StaleFolderFromAnAbnormalEndIsReplaced) {
    writeFile(folder() + "/index.html", "stale page");
    writeFile(folder() + "/tempAnnot.json", "{}");
    writeFile(folder() + "/view.zip", "PK\x03\x04 partial");
    writeFile(folder() + "/css/style.css", "stale sheet");

    auto lib = make();

    EXPECT_EQ(lib->FPath, folder());
    EXPECT_TRUE(dialogs.texts().empty());
    EXPECT_FALSE(fs::exists(folder() + "/index.html"));
    EXPECT_FALSE(fs::exists(folder() + "/tempAnnot.json"));
    EXPECT_FALSE(fs::exists(folder() + "/view.zip"));
    EXPECT_EQ(readFile(folder() + "/css/style.css"), kStyleSheet);
    EXPECT_EQ(readFile(folder() + "/loading.html"), "<html>loading</html>");
}

TEST_F(DataFolder, ParentFolderIsCreatedWhenMissing) {
    auto o = options();
    o.dataRoot = tmp.file("fresh/share");
    auto lib = make(o);
    EXPECT_TRUE(fs::exists(lib->FPath + "/loading.html"));
}

TEST_F(DataFolder, BrokenArchiveIsReportedAndLeavesNoViewZip) {
    archive = "not a zip at all";
    auto lib = make();
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_EQ(dialogs.texts()[0].rfind("Error Exception #2857: ", 0), 0u);
    EXPECT_EQ(dialogs.shown()[0].kind, DialogKind::Error);
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_FALSE(fs::exists(folder() + "/view.zip"));
}

TEST_F(DataFolder, ZipSlipArchiveCannotWriteOutside) {
    writeZip(tmp.file("evil.zip"),
             {{"loading.html", "ok"}, {"../canary.txt", "overwritten"}, {"../../x", "x"}});
    archive = readFile(tmp.file("evil.zip"));
    writeFile(root() + "/canary.txt", "original");

    auto lib = make();

    EXPECT_EQ(readFile(root() + "/canary.txt"), "original");
    EXPECT_FALSE(fs::exists(tmp.path() + "/x"));
    EXPECT_EQ(readFile(folder() + "/loading.html"), "ok");
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_NE(dialogs.texts()[0].find("Error Exception #2857: "), std::string::npos);
    EXPECT_FALSE(fs::exists(folder() + "/view.zip"));
}

TEST_F(DataFolder, OversizedArchiveIsCut) {
    writeZip(tmp.file("big.zip"), {{"big.bin", std::string(100000, 'z')}});
    archive = readFile(tmp.file("big.zip"));
    auto o = options();
    o.maxUnpackedBytes = 10000;
    auto lib = make(o);
    ASSERT_EQ(dialogs.texts().size(), 1u);
    EXPECT_FALSE(fs::exists(folder() + "/view.zip"));
}

TEST_F(DataFolder, EndOfRunDeletesOnlyTheFolderAndNeverFollowsLinks) {
    writeFile(root() + "/canary.txt", "keep");
    writeFile(tmp.file("outside/book.txt"), "keep");
    auto lib = make();
    fs::create_directory_symlink(tmp.file("outside"), folder() + "/link");
    writeFile(folder() + "/index.html", "page");
    lib->FUserJson.store(Json{{"code", "200"}});

    lib.reset();

    EXPECT_FALSE(fs::exists(folder()));
    EXPECT_EQ(readFile(root() + "/canary.txt"), "keep");
    EXPECT_EQ(readFile(tmp.file("outside/book.txt")), "keep");
}

TEST_F(DataFolder, FolderReplacedByALinkIsUnlinkedNotEmptied) {
    writeFile(tmp.file("elsewhere/precious.txt"), "keep");
    fs::create_directories(root());
    fs::create_directory_symlink(tmp.file("elsewhere"), folder());

    auto lib = make();

    EXPECT_EQ(readFile(tmp.file("elsewhere/precious.txt")), "keep");
    EXPECT_FALSE(fs::is_symlink(folder()));
    EXPECT_TRUE(fs::exists(folder() + "/loading.html"));
}

TEST_F(DataFolder, DeleteDirectoryRefusesEverythingButTheDataFolder) {
    auto lib = make();
    const char* home = std::getenv("HOME");
    const std::vector<std::string> refused = {"",
                                              ".",
                                              "/",
                                              home ? home : "/root",
                                              "QWZ5093pmr",
                                              root(),
                                              folder() + "/..",
                                              folder() + "/css",
                                              folder() + "-old",
                                              tmp.file("QWZ5093pmr")};
    fs::create_directories(tmp.file("QWZ5093pmr"));
    for (const auto& dir : refused) {
        std::string why;
        EXPECT_FALSE(lib->DeleteDirectory(dir, &why)) << dir;
        EXPECT_FALSE(why.empty()) << dir;
    }
    EXPECT_TRUE(fs::exists(folder() + "/css/style.css"));
    EXPECT_TRUE(fs::exists(tmp.file("QWZ5093pmr")));
    EXPECT_TRUE(lib->DeleteDirectory(folder() + "/"));
    EXPECT_FALSE(fs::exists(folder()));
}

TEST_F(DataFolder, DestroyReleasesEverySlot) {
    auto lib = make();
    lib->FSearchContentJson.store(Json{{"code", "200"}});
    const JsonPtr held = lib->FSearchContentJson.get();
    lib.reset();
    // A reader that still holds the answer keeps it valid.
    EXPECT_EQ((*held)["code"], "200");
}

TEST_F(DataFolder, EmbeddedViewerArchiveUnpacks) {
    auto o = options();
    o.viewerArchive = nullptr;
    auto lib = make(o);
    EXPECT_TRUE(dialogs.texts().empty()) << dialogs.texts()[0];
    EXPECT_TRUE(fs::exists(folder() + "/loading.html"));
    EXPECT_TRUE(fs::exists(folder() + "/css/style.css"));
    EXPECT_FALSE(fs::exists(folder() + "/view.zip"));
}

TEST(DataFolderRoot, HonoursXdgDataHome) {
    TempFolder tmp;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_DATA_HOME", tmp.path().c_str(), 1);
    EXPECT_EQ(platformDataRoot(), tmp.path());
    {
        LibFixture fixture;
        auto o = fixture.options();
        o.dataRoot.clear();
        auto lib = fixture.make(o);
        EXPECT_EQ(lib->FPath, tmp.path() + "/QWZ5093pmr");
        EXPECT_TRUE(std::filesystem::exists(lib->FPath + "/loading.html"));
    }
    EXPECT_FALSE(std::filesystem::exists(tmp.path() + "/QWZ5093pmr"));
    if (previous)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
