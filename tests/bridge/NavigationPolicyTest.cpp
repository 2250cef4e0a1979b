#include <gtest/gtest.h>

#include "bridge/NavigationPolicy.h"

using namespace sumberlaras::bridge;

namespace {

struct Nav {
    std::string url;
    bool clicked;
    NavigationVerdict verdict;
};

class Navigation : public ::testing::TestWithParam<Nav> {};

TEST_P(Navigation, StaysInTheDataFolder) {
    EXPECT_EQ(judgeNavigation(GetParam().url, "/home/u/QWZ5093pmr", GetParam().clicked),
              GetParam().verdict)
        << GetParam().url;
}

constexpr auto Allow = NavigationVerdict::Allow;
constexpr auto Open = NavigationVerdict::OpenExternally;
constexpr auto Ignore = NavigationVerdict::Ignore;

INSTANTIATE_TEST_SUITE_P(
    Cases, Navigation,
    ::testing::Values(Nav{"file:///home/u/QWZ5093pmr/index.html", false, Allow},
                      Nav{"file:///home/u/QWZ5093pmr/index.html#top", true, Allow},
                      Nav{"about:blank", false, Allow},
                      Nav{"file:///home/u/QWZ5093pmr/../secret.html", false, Ignore},
                      Nav{"file:///home/u/QWZ5093pmr/%2e%2e/secret.html", false, Ignore},
                      Nav{"file:///home/u/QWZ5093pmrX/index.html", false, Ignore},
                      Nav{"file:///etc/passwd", true, Ignore},
                      Nav{"https://sawira.id/", true, Open}, Nav{"HTTP://sawira.id/a", true, Open},
                      Nav{"https://sawira.id/", false, Ignore},
                      Nav{"javascript:alert(1)", true, Ignore},
                      Nav{"data:text/html,x", true, Ignore}, Nav{"https:///nohost", true, Ignore}));

// Folders with characters that an address encodes: the view's address of a
// page written there is inside, however the browser spells it.
TEST(DataFolderPaths, EncodedAddressesOfTheFolderAreInside) {
    for (const std::string folder :
         {"/home/u/sp ace/QWZ5093pmr", "/home/Ren\xC3\xA9/QWZ5093pmr", "/home/u/a#b/QWZ5093pmr",
          "/home/u/100%/QWZ5093pmr", "/home/u/q?x/QWZ5093pmr"}) {
        SCOPED_TRACE(folder);
        const std::string page = fileUrl(folder + "/login.html");
        EXPECT_TRUE(isInDataFolder(page, folder)) << page;
        EXPECT_TRUE(isInDataFolder(page + "#top", folder));
        EXPECT_EQ(localPathOf(page), folder + "/login.html");
        EXPECT_FALSE(isInDataFolder(fileUrl(folder + "/../login.html"), folder));
        EXPECT_FALSE(isInDataFolder(fileUrl(folder + "X/login.html"), folder));
    }
    // Chromium leaves some characters unencoded and encodes others in lower case.
    EXPECT_TRUE(isInDataFolder("file:///home/Ren%c3%a9/QWZ5093pmr/login.html",
                               "/home/Ren\xC3\xA9/QWZ5093pmr"));
    EXPECT_TRUE(
        isInDataFolder("file:///home/u/sp ace/QWZ5093pmr/login.html", "/home/u/sp ace/QWZ5093pmr"));
    EXPECT_TRUE(isInDataFolder("file://localhost/d/QWZ5093pmr/a.html", "/d/QWZ5093pmr"));
}

TEST(DataFolderPaths, DecodedEscapesAreRefused) {
    const std::string folder = "/d/QWZ5093pmr";
    for (const char* url :
         {"file:///d/QWZ5093pmr/%2E%2E/x.html", "file:///d/QWZ5093pmr/a%2F..%2F..%2Fx",
          "file:///d/QWZ5093pmr/a%00.html", "file://evil.example/d/QWZ5093pmr/a.html",
          "file:///d/QWZ5093pmr%2Fx.html", "file:///d/QWZ5093pmr/a%5C..%5Cx",
          "https://d/QWZ5093pmr/a.html", "file:///d/QWZ5093pmr"}) {
        SCOPED_TRACE(url);
        EXPECT_FALSE(isInDataFolder(url, folder));
    }
}

} // namespace
