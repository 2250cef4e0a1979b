// The control interface: planned failures, the request log, the version verdict.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

const std::string kProvinces = "/api/generic/provinsi";

class ControlTest : public ::testing::Test {
protected:
    sumberlaras::testing::Standin standin;
    Client client{standin};
};

struct FailureCase {
    const char* mode;
    long status; // 0: no answer at all
    bool jsonObject;
    bool bodyEmpty;
};

TEST_F(ControlTest, EachFailureModeSpoilsOneAnswerItsOwnWay) {
    const std::vector<FailureCase> cases = {
        {"http500", 500, true, false}, {"http404", 404, true, false}, {"empty", 200, false, true},
        {"array", 200, false, false},  {"html", 200, false, false},   {"broken", 200, false, false},
        {"delay", 200, true, false},   {"drop", 0, false, true},
    };
    for (const FailureCase& c : cases) {
        standin.failNext(kProvinces, c.mode, 1, 50);
        const Answer spoilt = client.get(kProvinces);
        EXPECT_EQ(spoilt.status, c.status) << c.mode;
        EXPECT_EQ(spoilt.json().is_object(), c.jsonObject) << c.mode << ": " << spoilt.body;
        EXPECT_EQ(spoilt.body.empty(), c.bodyEmpty) << c.mode;
        if (c.status == 0) {
            EXPECT_NE(spoilt.result, CURLE_OK) << c.mode;
        }
        const Answer next = client.get(kProvinces);
        EXPECT_EQ(next.code(), "200") << "after " << c.mode;
    }
    standin.failNext(kProvinces, "array");
    EXPECT_TRUE(client.get(kProvinces).json().is_array());
    standin.failNext(kProvinces, "html");
    EXPECT_EQ(client.get(kProvinces).body.rfind("<!DOCTYPE html>", 0), 0u);
}

TEST_F(ControlTest, StallSendsPartOfTheAnswerThenCloses) {
    standin.failNext(kProvinces, "stall", 1, 200);
    const Answer stalled = client.get(kProvinces);
    EXPECT_EQ(stalled.status, 200);
    EXPECT_NE(stalled.result, CURLE_OK);
    EXPECT_FALSE(stalled.body.empty());
    EXPECT_FALSE(stalled.json().is_object());
    const Answer after = client.get(kProvinces);
    EXPECT_EQ(after.body.rfind(stalled.body, 0), 0u) << "the stalled part is the answer's start";
}

TEST_F(ControlTest, CountAndPathDecideWhichRequestsFail) {
    standin.failNext(kProvinces, "http500", 2);
    EXPECT_EQ(client.get("/api/generic/kota/32").status, 200);
    EXPECT_EQ(client.get(kProvinces).status, 500);
    EXPECT_EQ(client.get(kProvinces).status, 500);
    EXPECT_EQ(client.get(kProvinces).status, 200);

    standin.failNext("/api/generic/", "http404", 2);
    EXPECT_EQ(client.get("/api/generic/kota/32").status, 404);
    EXPECT_EQ(client.get("/api/generic/kecamatan/3273").status, 404);
    EXPECT_EQ(client.get("/api/generic/kota/32").status, 200);

    standin.failNext(kProvinces, "http500", 5);
    standin.clearFailures();
    EXPECT_EQ(client.get(kProvinces).status, 200);
}

TEST_F(ControlTest, LogKeepsRequestsInOrderWithHeadersAsSent) {
    standin.clearLog();
    client.postForm("/api/wl/executeLogin", "user=a%40b.id&pass=x&uuid=U1",
                    {{"OS", "WIN"}, {"CLIENTID", "396"}, {"UUID", "U1"}});
    standin.failNext(kProvinces, "drop");
    client.get(kProvinces + "?a=1", {{"zeta", "1"}, {"Alpha", "2"}, {"mid", "3"}});
    client.get("/tidak/ada");

    const Json log = standin.log();
    ASSERT_EQ(log.size(), 3u) << log.dump();
    const Json& login = log[0];
    EXPECT_EQ(login["method"], "POST");
    EXPECT_EQ(login["path"], "/api/wl/executeLogin");
    EXPECT_EQ(login["body"], "user=a%40b.id&pass=x&uuid=U1");
    EXPECT_EQ(login["content_type"], "application/x-www-form-urlencoded");
    std::vector<std::string> names;
    for (const Json& header : login["headers"]) {
        names.push_back(header[0]);
    }
    const auto at = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(at("OS"), at("CLIENTID"));
    EXPECT_LT(at("CLIENTID"), at("UUID"));
    EXPECT_LT(at("UUID"), static_cast<long>(names.size()));

    const Json& dropped = log[1];
    EXPECT_EQ(dropped["path"], kProvinces);
    EXPECT_EQ(dropped["query"], "a=1");
    Json custom = Json::array();
    for (const Json& header : dropped["headers"]) {
        if (header[0] == "zeta" || header[0] == "Alpha" || header[0] == "mid") {
            custom.push_back(header);
        }
    }
    EXPECT_EQ(custom, Json::parse(R"([["zeta","1"],["Alpha","2"],["mid","3"]])"));
    EXPECT_EQ(log[2]["path"], "/tidak/ada");

    standin.clearLog();
    EXPECT_TRUE(standin.log().empty());
}

TEST_F(ControlTest, VersionCheckAnswersTheVerdictSet) {
    const auto check = [&] {
        return client.postForm("/api/wl/checkAppVersion", "kode=QWZ5093pmr&os=WIN&versi=4").json();
    };
    EXPECT_EQ(check()["code"], "200");
    standin.setVersion({{"code", "300"}, {"url", "https://127.0.0.1/update.exe"}});
    EXPECT_EQ(check()["url"], "https://127.0.0.1/update.exe");
    standin.setVersion({{"code", "403"}, {"msg", "Versi ini tidak dapat digunakan lagi"}});
    EXPECT_EQ(check()["msg"], "Versi ini tidak dapat digunakan lagi");
    EXPECT_EQ(client.postForm("/api/wl/checkAppVersion", "kode=QWZ5093pmr").status, 400);
}

TEST_F(ControlTest, MalformedControlRequestsAreRefused) {
    for (const std::string& body :
         {std::string("[]"), std::string("{\"path\": \"/x\", \"mode\": \"melt\"}"),
          std::string("{\"mode\": \"drop\"}"), std::string("nonsense")}) {
        EXPECT_EQ(client.postJson("/control/fail", body).status, 400) << body;
    }
    EXPECT_EQ(client.postJson("/control/version", "{\"msg\": \"x\"}").status, 400);
}

} // namespace
} // namespace standin::testing
