#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"
#include "tests/service/ZipFixture.h"
#include "service/ZipUnpack.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;
namespace fs = std::filesystem;

namespace {

struct PathCase {
    const char* name;
    const char* expected; // nullptr: refused
};
void PrintTo(const PathCase& c, std::ostream* os) {
    *os << '"' << c.name << '"';
}

class SafeEntryPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(SafeEntryPath, KeepsEntriesBelowTheBase) {
    const auto got = safeEntryPath(GetParam().name);
    if (GetParam().expected)
        EXPECT_EQ(got.value_or("<refused>"), GetParam().expected);
    else
        EXPECT_FALSE(got) << *got;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SafeEntryPath,
    ::testing::Values(PathCase{"css/style.css", "css/style.css"},
                      PathCase{"./loading.html", "loading.html"},
                      PathCase{"js//main.js", "js/main.js"}, PathCase{"fonts/", "fonts"},
                      PathCase{"img\\user.png", "img/user.png"}, PathCase{"a..b/c", "a..b/c"},
                      PathCase{"../evil", nullptr}, PathCase{"css/../../evil", nullptr},
                      PathCase{"..\\evil", nullptr}, PathCase{"/etc/evil", nullptr},
                      PathCase{"C:/evil", nullptr}, PathCase{"", nullptr},
                      PathCase{"./", nullptr}));

// Unpacks into <tmp>/base; <tmp>/evil.txt is where hostile entries aim.
class UnpackArchive : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directory(base()); }
    std::string base() const { return tmp.file("base"); }
    std::string zip() const { return tmp.file("in.zip"); }

    TempFolder tmp;
};

struct HostileCase {
    const char* label;
    ZipEntry hostile;
};
void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.label;
}

class HostileArchive : public UnpackArchive, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileArchive, RefusesTheEntryAndUnpacksTheRest) {
    ZipEntry hostile = GetParam().hostile;
    if (hostile.name == "ABSOLUTE")
        hostile.name = tmp.file("evil.txt");
    ASSERT_TRUE(writeZip(zip(), {{"ok/first.txt", "1"}, hostile, {"last.txt", "2"}}));

    EXPECT_THROW(unpackZipFile(base(), zip()), std::runtime_error);

    EXPECT_FALSE(fs::exists(tmp.file("evil.txt")));
    EXPECT_EQ(readFile(base() + "/ok/first.txt"), "1");
    EXPECT_EQ(readFile(base() + "/last.txt"), "2");
    EXPECT_FALSE(fs::is_symlink(base() + "/link"));
}

INSTANTIATE_TEST_SUITE_P(Entries, HostileArchive,
                         ::testing::Values(HostileCase{"parent", {"../evil.txt", "x"}},
                                           HostileCase{"nested_parent", {"ok/../../evil.txt", "x"}},
                                           HostileCase{"backslash_parent", {"..\\evil.txt", "x"}},
                                           HostileCase{"absolute", {"ABSOLUTE", "x"}},
                                           HostileCase{"symbolic_link", {"link", "../", true}}),
                         [](const auto& tp) { return std::string(tp.param.label); });

TEST_F(UnpackArchive, KeepsFoldersAndBytes) {
    const std::string binary("\x00\x01\xFF\r\n", 5);
    ASSERT_TRUE(writeZip(
        zip(), {{"./", ""}, {"css/", ""}, {"css/style.css", "a{}"}, {"img/x.bin", binary}}));
    unpackZipFile(base(), zip());
    EXPECT_EQ(readFile(base() + "/css/style.css"), "a{}");
    EXPECT_EQ(readFile(base() + "/img/x.bin"), binary);
}

TEST_F(UnpackArchive, StopsAtTheSizeCap) {
    ASSERT_TRUE(writeZip(zip(), {{"big.txt", std::string(5000, 'a')}}));
    UnpackLimits limits;
    limits.maxTotalBytes = 1000;
    EXPECT_THROW(unpackZipFile(base(), zip(), limits), std::runtime_error);
}

TEST_F(UnpackArchive, NotAZipFails) {
    writeFile(zip(), "this is not a zip archive");
    EXPECT_THROW(unpackZipFile(base(), zip()), std::runtime_error);
}

} // namespace
