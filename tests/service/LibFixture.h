#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/service/ZipFixture.h"
#include "service/SawiraLib.h"
#include "tests/support/ScriptedDialogs.h"

namespace sumberlaras::testing {

// A service client whose data folder lives in a temp root and whose viewer
// archive is a small test zip; requests go nowhere unless a test says so.
class LibFixture {
public:
    LibFixture() {
        writeZip(tmp.file("assets.zip"), {{"loading.html", "<html>loading</html>"},
                                          {"css/style.css", kStyleSheet},
                                          {"js/main.js", "// main"}});
        archive = readFile(tmp.file("assets.zip"));
    }

    SawiraLibOptions options() {
        SawiraLibOptions o;
        o.dataRoot = root();
        o.viewerArchive = [this] { return std::string_view(archive); };
        TransportConfig t;
        t.baseUrl = "https://127.0.0.1:1"; // nothing listens there
        t.connectTimeout = std::chrono::milliseconds(2000);
        o.transport = t;
        o.deviceId = "0000ABCD";
        return o;
    }
    std::unique_ptr<TSawiraLib> make() { return std::make_unique<TSawiraLib>(dialogs, options()); }
    std::unique_ptr<TSawiraLib> make(SawiraLibOptions o) {
        return std::make_unique<TSawiraLib>(dialogs, std::move(o));
    }

    std::string root() const { return tmp.file("data"); }
    std::string folder() const { return root() + "/QWZ5093pmr"; }

    static constexpr const char* kStyleSheet =
        ".btn-login { background: #2a6; }\r\n.btn-login:hover { background: #185; }\r\n";

    TempFolder tmp;
    std::string archive;
    ScriptedDialogs dialogs;
};

} // namespace sumberlaras::testing
