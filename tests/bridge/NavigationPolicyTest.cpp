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

TEST(FileUrl, TurnsBackslashesAndAddsTheRoot) {
    EXPECT_EQ(fileUrl("/a/b/loading.html"), "file:///a/b/loading.html");
    EXPECT_EQ(fileUrl("C:\\x\\loading.html"), "file:///C:/x/loading.html");
}

} // namespace
