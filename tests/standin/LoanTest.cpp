// Loans, returns, resuming, read status and the stored annotation document.
#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

class LoanTest : public ::testing::Test {
protected:
    void SetUp() override { session = signIn(client, kSiti, "AAAA0001"); }

    Json borrow(const std::string& id, const Session& who) const {
        return client.postForm("/api/wl/requestBaca", "id_konten=" + id, who.headers()).json();
    }
    Answer giveBack(const std::string& id, const std::string& idBaca, const std::string& page,
                    const Session& who) const {
        return client.postForm("/api/wl/bookReturn",
                               "id_konten=" + id + "&id_baca=" + idBaca + "&page_index=" + page,
                               who.headers());
    }
    int stock(const std::string& id) const {
        return client.get("/control/stock/" + id).json()["stok"].get<int>();
    }

    sumberlaras::testing::Standin standin;
    Client client{standin};
    Session session;
};

TEST_F(LoanTest, LoanTakesACopyAndReturnPutsItBackAndResumesThere) {
    const int before = stock("110");
    const Json loan = borrow("110", session);
    ASSERT_EQ(loan["code"], "200") << loan.dump();
    EXPECT_EQ(loan["page_index"], 0);
    EXPECT_EQ(loan["file_anotasi"], "0");
    EXPECT_TRUE(loan["rate"].is_number_integer());
    const std::string idBaca = loan["id_baca"];
    EXPECT_EQ(stock("110"), before - 1);

    ASSERT_EQ(giveBack("110", idBaca, "7", session).code(), "200");
    EXPECT_EQ(stock("110"), before);

    const Json again = borrow("110", session);
    EXPECT_EQ(again["page_index"], 7);
    EXPECT_NE(again["id_baca"], idBaca);
    // The resume page belongs to the member who read it.
    const Session budi = signIn(client, kBudi, "BBBB0002");
    EXPECT_EQ(borrow("110", budi)["page_index"], 0);
}

TEST_F(LoanTest, BorrowingAHeldBookAgainKeepsTheSameLoan) {
    const int before = stock("111");
    const Json first = borrow("111", session);
    const Json second = borrow("111", session);
    EXPECT_EQ(first["id_baca"], second["id_baca"]);
    EXPECT_EQ(stock("111"), before - 1);
}

TEST_F(LoanTest, NoCopyLeftIsRefusedWithAMessage) {
    // Book 107 is seeded without stock.
    ASSERT_EQ(stock("107"), 0);
    const Answer answer =
        client.postForm("/api/wl/requestBaca", "id_konten=107", session.headers());
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.code(), "403");
    EXPECT_FALSE(answer.json()["msg"].get<std::string>().empty());
    EXPECT_EQ(stock("107"), 0);
}

TEST_F(LoanTest, ReturnsThatCannotBeHonouredChangeNothing) {
    const std::string idBaca = borrow("112", session)["id_baca"];
    const Session budi = signIn(client, kBudi, "BBBB0002");
    struct Case {
        const char* name;
        std::string form;
        const Session* who;
        long status;
    };
    const std::vector<Case> cases = {
        {"another member's loan", "id_konten=112&id_baca=" + idBaca + "&page_index=1", &budi, 404},
        {"another book", "id_konten=113&id_baca=" + idBaca + "&page_index=1", &session, 400},
        {"unknown loan", "id_konten=112&id_baca=999999&page_index=1", &session, 404},
        {"page not a number", "id_konten=112&id_baca=" + idBaca + "&page_index=x", &session, 400},
        {"missing page", "id_konten=112&id_baca=" + idBaca, &session, 400},
    };
    const int held = stock("112");
    for (const Case& c : cases) {
        const Answer answer = client.postForm("/api/wl/bookReturn", c.form, c.who->headers());
        EXPECT_EQ(answer.status, c.status) << c.name;
        EXPECT_NE(answer.code(), "200") << c.name;
        EXPECT_EQ(stock("112"), held) << c.name;
    }
    ASSERT_EQ(giveBack("112", idBaca, "2", session).code(), "200");
    const Answer twice = giveBack("112", idBaca, "2", session);
    EXPECT_EQ(twice.status, 200);
    EXPECT_EQ(twice.code(), "409");
    EXPECT_EQ(stock("112"), held + 1);
}

TEST_F(LoanTest, ReturnedPageIsKeptWithinTheBook) {
    const std::string idBaca = borrow("114", session)["id_baca"];
    ASSERT_EQ(giveBack("114", idBaca, "100000", session).code(), "200");
    const Json detail =
        client.postForm("/api/wl/detailKonten", "id_konten=114", session.headers()).json();
    EXPECT_EQ(borrow("114", session)["page_index"], detail["data"]["halaman_total"].get<int>() - 1);
}

TEST_F(LoanTest, IdleStatusReportEndsTheLoan) {
    const int before = stock("115");
    const std::string idBaca = borrow("115", session)["id_baca"];
    const auto report = [&](const std::string& status) {
        return client.postForm("/api/wl/updateReadStatus",
                               "id_baca=" + idBaca + "&status=" + status, session.headers());
    };
    EXPECT_EQ(report("1").code(), "200");
    EXPECT_EQ(stock("115"), before - 1);
    EXPECT_EQ(report("2").status, 400);
    EXPECT_EQ(report("0").code(), "200");
    EXPECT_EQ(stock("115"), before);
    EXPECT_EQ(report("0").code(), "200"); // a repeated report does not add a copy
    EXPECT_EQ(stock("115"), before);
}

TEST_F(LoanTest, SavedAnnotationIsOfferedOnTheNextLoanToItsMemberOnly) {
    const std::string idBaca = borrow("116", session)["id_baca"];
    ASSERT_EQ(giveBack("116", idBaca, "3", session).code(), "200");
    const std::string document =
        "{\n\t\"id_konten\": \"116\",\n\t\"data\": [\n\t\t{\n\t\t\t\"page\": 3,\n\t\t\t\"type\": "
        "\"NOTES\",\n\t\t\t\"text\": \"Catatan \\\"penting\\\" \xC3\xA9\"\n\t\t}\n\t]\n}";
    ASSERT_EQ(client.postJson("/api/wl/saveAnotasi", document, session.headers()).code(), "200");

    const Json loan = borrow("116", session);
    const std::string address = loan["file_anotasi"];
    const std::string path = "/api/wl/fileAnotasi/116";
    ASSERT_EQ(address, standin.baseUrl() + path);
    const Answer stored = client.get(path, session.headers());
    EXPECT_EQ(stored.status, 200);
    EXPECT_EQ(stored.body, document);

    EXPECT_EQ(client.get(path, clientHeaders("AAAA0001")).status, 401);
    const Session budi = signIn(client, kBudi, "BBBB0002");
    EXPECT_EQ(client.get(path, budi.headers()).status, 404);
    EXPECT_EQ(borrow("116", budi)["file_anotasi"], "0");
    // Signed in elsewhere: the stored copy is no longer served to the old device.
    signIn(client, kSiti, "CCCC0003");
    EXPECT_EQ(client.get(path, session.headers()).json()["msg"], "Auth Failed");
}

TEST_F(LoanTest, DocumentsThatAreNotTheExpectedObjectAreRefused) {
    const std::vector<std::string> bodies = {"",
                                             "[]",
                                             "{\"data\": []}",
                                             "{\"id_konten\": \"116\"}",
                                             "{\"id_konten\": \"116\", "
                                             "\"data\": {}}",
                                             "{\"id_konten\": \"x\", \"data\": []}",
                                             "{\"id_konten\": \"999999\", \"data\": []}",
                                             "{\"id_konten\": \"116\", \"data\": [",
                                             "<html></html>"};
    for (const char* path : {"/api/wl/saveAnotasi", "/api/wl/copyText"}) {
        for (const std::string& body : bodies) {
            const Answer answer = client.postJson(path, body, session.headers());
            EXPECT_GE(answer.status, 400) << path << " " << body;
            EXPECT_LT(answer.status, 500) << path << " " << body;
            EXPECT_TRUE(answer.json().is_object()) << path << " " << body;
        }
    }
    EXPECT_EQ(borrow("116", session)["file_anotasi"], "0");
    EXPECT_EQ(client
                  .postJson("/api/wl/copyText",
                            R"({"id_konten": 116, "data": [{"page": "II", "text": "Frase"}]})",
                            session.headers())
                  .code(),
              "200");
}

} // namespace
} // namespace standin::testing
