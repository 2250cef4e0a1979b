#include "reader/session/Outbox.h"

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

using namespace std::chrono_literals;

std::vector<OutboxKind> kinds(const std::vector<OutboxEntry>& entries) {
    std::vector<OutboxKind> out;
    for (const OutboxEntry& e : entries)
        out.push_back(e.kind);
    return out;
}

TEST(Outbox, AnswersAreSortedByWhatTheyAllow) {
    const struct {
        const char* answer;
        bool fromService;
        OutboxAnswer expected;
    } cases[] = {
        {R"({"code":"200","msg":"ok"})", true, OutboxAnswer::Accepted},
        {R"({"code":200})", true, OutboxAnswer::Accepted},
        {R"({"code":"500","msg":"Auth Failed"})", true, OutboxAnswer::AuthFailed},
        {R"({"code":"400","msg":"id_baca tidak valid"})", true, OutboxAnswer::Refused},
        {R"({"code":"500","msg":"Pinjaman tidak ditemukan"})", true, OutboxAnswer::Refused},
        {R"({"msg":"no code"})", true, OutboxAnswer::Failed},
        {R"({"code":"500","msg":"Could not connect"})", false, OutboxAnswer::Failed},
        {R"({"code":"200"})", false, OutboxAnswer::Failed},
        {R"([1,2])", true, OutboxAnswer::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        EXPECT_EQ(classifyAnswer(Json::parse(c.answer), c.fromService), c.expected);
    }
}

TEST(Outbox, ALoansEntriesLeaveInOrderAndOnlyOnA200) {
    Outbox box;
    box.addReturn("m1", "b1", "7", "Buku Tujuh", 12, std::string("{anotasi}"), "{salinan}", 0ms);
    box.addReturn("m1", "b2", "8", "Buku Delapan", 3, std::nullopt, "{salinan 8}", 0ms);
    // One entry of each loan at a time, the return first.
    std::vector<OutboxEntry> now = box.ready("m1", 0ms);
    ASSERT_EQ(kinds(now), (std::vector<OutboxKind>{OutboxKind::Return, OutboxKind::Return}));
    EXPECT_EQ(now[0].payload, "12");
    EXPECT_EQ(box.pendingTitles("m1"), (std::vector<std::string>{"Buku Tujuh", "Buku Delapan"}));

    box.answered(now[0].id, OutboxAnswer::Accepted, "", 0ms);
    box.answered(now[1].id, OutboxAnswer::Failed, "", 0ms);
    now = box.ready("m1", 0ms);
    ASSERT_EQ(kinds(now), (std::vector<OutboxKind>{OutboxKind::Annotations}));
    EXPECT_EQ(now[0].payload, "{anotasi}");
    // A failed entry waits its pause, and the entries of its loan behind it too.
    EXPECT_EQ(box.nextDue("m1"), 0ms);
    box.answered(now[0].id, OutboxAnswer::Failed, "", 0ms);
    box.answered(now[0].id, OutboxAnswer::Failed, "", 5s); // 30 s from here
    EXPECT_EQ(kinds(box.ready("m1", 5s)), (std::vector<OutboxKind>{OutboxKind::Return}));
    EXPECT_EQ(box.nextDue("m1"), 5s);
    now = box.ready("m1", 35s);
    ASSERT_EQ(kinds(now), (std::vector<OutboxKind>{OutboxKind::Annotations, OutboxKind::Return}));
    box.answered(now[0].id, OutboxAnswer::Accepted, "", 35s);
    now = box.ready("m1", 35s);
    ASSERT_EQ(kinds(now), (std::vector<OutboxKind>{OutboxKind::CopiedText, OutboxKind::Return}));
    EXPECT_EQ(now[0].payload, "{salinan}");
}

TEST(Outbox, PausesGrowToFiveMinutes) {
    const std::chrono::milliseconds pauses[] = {5s, 30s, 2min, 5min, 5min, 5min};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(retryPause(i + 1), pauses[i]) << i;
}

TEST(Outbox, AuthFailedWaitsForTheSameMembersSignIn) {
    Outbox box;
    box.addReturn("m1", "b1", "7", "Buku", 1, std::nullopt, "{}", 0ms);
    box.answered(box.ready("m1", 0ms)[0].id, OutboxAnswer::AuthFailed, "Auth Failed", 0ms);
    EXPECT_TRUE(box.ready("m1", 1h).empty());
    EXPECT_EQ(box.nextDue("m1"), std::nullopt);
    box.signedIn("m2", 1h);
    EXPECT_TRUE(box.ready("m1", 1h).empty());
    EXPECT_TRUE(box.ready("m2", 1h).empty()); // never another member's
    box.signedIn("m1", 2h);
    EXPECT_EQ(box.ready("m1", 2h).size(), 1u);
}

TEST(Outbox, ARefusedReturnIsFinalButItsDocumentsStillGo) {
    Outbox box;
    box.addReturn("m1", "b1", "7", "Buku", 1, std::string("{a}"), "{c}", 0ms);
    const std::optional<std::string> notice = box.answered(
        box.ready("m1", 0ms)[0].id, OutboxAnswer::Refused, "Pinjaman sudah berakhir", 0ms);
    EXPECT_EQ(notice, "Pengembalian buku ditolak layanan: Pinjaman sudah berakhir");
    const std::vector<OutboxEntry> now = box.ready("m1", 0ms);
    ASSERT_EQ(kinds(now), (std::vector<OutboxKind>{OutboxKind::Annotations}));
    // A refused document is kept and tried again: an entry leaves only on a 200.
    // The copied passages behind it go at once all the same.
    EXPECT_EQ(box.answered(now[0].id, OutboxAnswer::Refused, "400", 0ms), std::nullopt);
    EXPECT_EQ(box.entries().size(), 2u);
    ASSERT_EQ(kinds(box.ready("m1", 0ms)), (std::vector<OutboxKind>{OutboxKind::CopiedText}));
    box.answered(box.ready("m1", 0ms)[0].id, OutboxAnswer::Accepted, "", 0ms);
    EXPECT_EQ(box.nextDue("m1"), 5s);
    EXPECT_EQ(kinds(box.ready("m1", 5s)), (std::vector<OutboxKind>{OutboxKind::Annotations}));
}

TEST(Outbox, SavedEntriesComeBackInOrderWaitingForTheirMember) {
    Outbox box;
    box.addReturn("m1", "b1", "7", "Buku Ø", 4, std::string("{\n\t\"data\": []\n}"), "{}", 0ms);
    box.addDocuments("m2", "b9", "9", "Lain", std::nullopt, "{x}", 0ms);
    Outbox back = Outbox::fromJson(Json::parse(box.toJson().dump()));
    ASSERT_EQ(back.entries().size(), 4u);
    EXPECT_TRUE(back.ready("m1", 1h).empty());
    back.signedIn("m1", 1h);
    const std::vector<OutboxEntry> now = back.ready("m1", 1h);
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].kind, OutboxKind::Return);
    EXPECT_EQ(now[0].payload, "4");
    EXPECT_EQ(back.entries()[1].payload, "{\n\t\"data\": []\n}");
    EXPECT_EQ(back.entries()[3].member, "m2");
    EXPECT_TRUE(Outbox::fromJson(Json::parse(R"([{"kind":"other"},7,{"member":""}])")).empty());
}

TEST(Outbox, TheIndicatorCountsReturns) {
    EXPECT_EQ(pendingText(0), "");
    EXPECT_EQ(pendingText(2), "2 menunggu jaringan");
}

} // namespace
} // namespace sumberlaras::reader
