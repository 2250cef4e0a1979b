#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "pages/CataloguePages.h"
#include "tests/support/RecordingBrowserView.h"
#include "tests/support/ScriptedDialogs.h"

namespace sumberlaras::testing {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A data folder of its own, the answers of fixtures/answers.json in the
// slots, and the generators over them.
class PagesFixture : public ::testing::Test {
public:
    PagesFixture() {
        char pattern[] = "/tmp/pages-test-XXXXXX";
        folder = mkdtemp(pattern);
        answers = Json::parse(readFile(std::string(PAGES_FIXTURES) + "/answers.json"));
        client.store(answers["client"]);
        banner.store(answers["banner"]);
        home.store(answers["home"]);
        homeDetail.store(answers["cards"]);
        category.store(answers["category"]);
        categoryContent.store(answers["cards"]);
        subCategoryContent.store(answers["cards"]);
        chart.store(answers["chart"]);
        detail.store(answers["detail"]);
        search.store(answers["search"]);
    }
    ~PagesFixture() override { std::filesystem::remove_all(folder); }

    std::string page(const std::string& name) const { return readFile(folder + "/" + name); }
    std::string url(const std::string& name) const { return "file://" + folder + "/" + name; }

    std::string folder;
    std::string base = "https://127.0.0.1:47443";
    Json answers;
    JsonSlot client, banner, home, homeDetail, category, categoryContent, subCategoryContent, chart,
        detail, search;
    ScriptedDialogs dialogs;
    RecordingBrowserView view;
    CataloguePages pages{PageSources{folder, base, client, dialogs},
                         PageSlots{banner, home, homeDetail, category, categoryContent,
                                   subCategoryContent, chart, detail, search}};
};

} // namespace sumberlaras::testing
