#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "bridge/MessageTable.h"

using namespace sumberlaras;
using namespace sumberlaras::bridge;

namespace {

// Runs the generated script in node with a stand-in channel and returns, one
// per line, what each call sent: name|argsJson.
std::string runScript(const std::string& calls, bool connectLate) {
    if (std::string(NODE_EXECUTABLE).empty())
        return "no node";
    namespace fs = std::filesystem;
    const fs::path file =
        fs::temp_directory_path() / ("app-script-" + std::to_string(::getpid()) + ".js");
    std::ofstream out(file);
    out << "var window = globalThis; var sent = [];\n"
           "var sink = {receive: function (n, a) { sent.push(n + '|' + a); }};\n"
           "var connect = null;\n"
           "globalThis.qt = {webChannelTransport: {}};\n"
           "globalThis.QWebChannel = function (t, cb) { connect = function () { cb({objects: "
           "{sumberlaras: sink}}); }; };\n"
        << appScript("sumberlaras") << "\n"
        << (connectLate ? "" : "connect();\n") << calls << "\n"
        << (connectLate ? "connect();\n" : "") << "console.log(sent.join('\\n'));\n";
    out.close();
    const std::string command = std::string(NODE_EXECUTABLE) + " " + file.string();
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string result;
    char buf[512];
    while (pipe && fgets(buf, sizeof buf, pipe.get()))
        result += buf;
    fs::remove(file);
    return result;
}

struct ScriptCase {
    std::string call;
    std::string sent;
};

class AppScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(AppScript, SendsTheMessageOfTheTable) {
    if (std::string(NODE_EXECUTABLE).empty())
        GTEST_SKIP() << "node is not installed";
    EXPECT_EQ(runScript(GetParam().call, false), GetParam().sent + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppScript,
    ::testing::Values(
        ScriptCase{"app.executeLogin('u', 'p')", R"(login|["u","p"])"},
        ScriptCase{"app.forgotPass()", R"(forgotPass|["forgotPass"])"},
        ScriptCase{"app.searchResult('K', 'Penulis', 3)", R"(searching|["K","Penulis",3])"},
        ScriptCase{"app.searching('K', 'Penulis')", R"(searching|["K","Penulis",1])"},
        ScriptCase{"app.kategoriKonten('C', 'P', 'D', 'N')", R"(kategoriKonten|["D","C","P","N"])"},
        ScriptCase{"app.subKategoriKonten('S', 'P', 'D', 'N')",
                   R"(subKategoriKonten|["D","S","P","N"])"},
        ScriptCase{"app.registerPage()", R"(register|[])"},
        ScriptCase{"app.loadMoreChart(2)", R"(loadMoreChart|[2])"},
        ScriptCase{"app.loadMoreLastView('7')", R"(loadMoreLastView|[7])"},
        ScriptCase{"app.detail(12)", R"(detail|["12"])"},
        ScriptCase{"app.bacaKalimat('5')", R"(bacaKalimat|["5",""])"},
        ScriptCase{"app.homeDetail('1', 'Buku \"Baru\"')", R"(homeDetail|["1","Buku \"Baru\""])"}));

TEST(AppScript, CallsBeforeTheChannelIsUpAreSentInOrder) {
    if (std::string(NODE_EXECUTABLE).empty())
        GTEST_SKIP() << "node is not installed";
    EXPECT_EQ(runScript("app.back(); app.topChart(); app.lastView();", true),
              "back|[]\ntopChart|[]\nlastView|[]\n");
}

TEST(AppScript, EveryFunctionOfTheTableExists) {
    if (std::string(NODE_EXECUTABLE).empty())
        GTEST_SKIP() << "node is not installed";
    std::string calls = "var names = Object.keys(app); sent.push(names.length + '|');";
    EXPECT_EQ(runScript(calls, false), std::to_string(appFunctions().size()) + "|\n");
    EXPECT_EQ(appFunctions().size(), 35u);
}

struct Incoming {
    std::string name;
    std::string args;
    bool accepted;
};

class Validator : public ::testing::TestWithParam<Incoming> {};

TEST_P(Validator, AcceptsOnlyMessagesOfTheTable) {
    const auto& c = GetParam();
    EXPECT_EQ(validateMessage(c.name, c.args).has_value(), c.accepted) << c.name << c.args;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Validator,
    ::testing::Values(Incoming{"login", R"(["a","b"])", true}, Incoming{"login", R"(["a"])", false},
                      Incoming{"login", R"(["a","b","c"])", false},
                      Incoming{"login", R"(["a",2])", false},
                      Incoming{"searching", R"(["k","Penulis",1])", true},
                      Incoming{"searching", R"(["k","Penulis",4])", true},
                      Incoming{"searching", R"(["k","Penulis","1"])", false},
                      Incoming{"searching", R"(["k","Penulis",1.5])", false},
                      Incoming{"loadMoreChart", R"([4294967296])", false},
                      Incoming{"loadMoreChart", R"([-3])", true},
                      Incoming{"forgotPass", R"(["forgotPass"])", true},
                      Incoming{"forgotPass", R"(["x"])", false},
                      Incoming{"register", R"([])", true}, Incoming{"registerPage", R"([])", false},
                      Incoming{"forgotPassRequest", R"(["a@b"])", true},
                      Incoming{"eval", R"([])", false}, Incoming{"back", R"({})", false},
                      Incoming{"back", "not json", false}, Incoming{"detail", R"([null])", false}));

TEST(Validator, KeepsTypesAndOrder) {
    auto m = validateMessage("kategoriKonten", R"(["D","C","P","N"])");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text(0), "D");
    EXPECT_EQ(m->text(3), "N");
    auto s = validateMessage("searching", R"(["K","Penulis",3])");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->integer(2), 3);
}

TEST(Describe, MasksThePassword) {
    auto m = validateMessage("login", R"(["siti","rahasia"])");
    ASSERT_TRUE(m);
    EXPECT_EQ(describe(*m).find("rahasia"), std::string::npos);
}

} // namespace
