// Every style sheet, script and image that a page loads from the data folder
// is among the viewer assets the program unpacks there.
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// The local addresses a page text loads: src, data-src and href that name a file.
std::set<std::string> localResources(const std::string& page) {
    static const std::regex attribute(R"re(\b(?:src|href)\s*=\s*"([^"]*)")re");
    std::set<std::string> out;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        const std::string value = (*it)[1];
        if (value.empty() || value[0] == '#' || value.find(':') != std::string::npos)
            continue; // anchors, javascript:, and the service's https addresses
        out.insert(value);
    }
    return out;
}

TEST(ViewerAssets, EveryFileAPageLoadsIsThere) {
    const fs::path stage = VIEWER_STAGE;
    ASSERT_TRUE(fs::exists(stage / "loading.html")) << stage;
    size_t pages = 0;
    std::set<std::string> checked;
    for (const auto& entry : fs::directory_iterator(PAGES_GOLDEN)) {
        if (entry.path().extension() != ".html")
            continue;
        ++pages;
        for (const std::string& file : localResources(readFile(entry.path()))) {
            SCOPED_TRACE(entry.path().filename().string());
            EXPECT_TRUE(fs::is_regular_file(stage / file)) << file;
            checked.insert(file);
        }
    }
    EXPECT_GE(pages, 10u);
    // The pages' own set: style sheets, libraries, placeholders.
    for (const char* file : {"css/bootstrap.min.css", "css/style.css", "js/jquery.js", "js/main.js",
                             "img/loading.jpg"})
        EXPECT_TRUE(checked.count(file)) << file;
}

TEST(ViewerAssets, TheWaitingPageLoadsOnlyItsOwnFiles) {
    const fs::path stage = VIEWER_STAGE;
    for (const std::string& file : localResources(readFile(stage / "loading.html")))
        EXPECT_TRUE(fs::is_regular_file(stage / file)) << file;
}

} // namespace
