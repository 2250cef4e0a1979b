#include "reader/session/Journal.h"
#include "reader/session/JournalFile.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/TempFolder.h"

namespace sumberlaras::reader {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using sumberlaras::testing::TempFolder;

fs::perms modeOf(const fs::path& p) {
    return fs::status(p).permissions() & fs::perms::mask;
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Journal, OpenBooksAndTheOutboxComeBackAsTheyWereWritten) {
    Outbox box;
    box.addReturn("m1", "b1", "7", "Buku <b>Tujuh</b>", 12, std::string("{\n\t\"data\": []\n}"),
                  "{salinan}", 0ms);
    box.addDocuments("m2", "b2", "8", "Buku Delapan", std::nullopt, "{salinan 8}", 0ms);
    const std::vector<JournaledBook> books = {
        {"m1", "b3", "9", "Buku \"Sembilan\"", 41, std::string("{\"data\":[1]}"), "{copy}"},
        {"m2", "b4", "10", "Buku Sepuluh", 0, std::nullopt, ""},
    };
    const JournalContents back = readJournal(journalText(books, box));
    ASSERT_EQ(back.books.size(), 2u);
    EXPECT_EQ(back.books[0].member, "m1");
    EXPECT_EQ(back.books[0].idBaca, "b3");
    EXPECT_EQ(back.books[0].idKonten, "9");
    EXPECT_EQ(back.books[0].title, "Buku \"Sembilan\"");
    EXPECT_EQ(back.books[0].pageIndex, 41);
    EXPECT_EQ(back.books[0].annotations, std::optional<std::string>("{\"data\":[1]}"));
    EXPECT_EQ(back.books[0].copiedText, "{copy}");
    EXPECT_EQ(back.books[1].annotations, std::nullopt) << "a copy the service keeps stays";

    ASSERT_EQ(back.outbox.entries().size(), box.entries().size());
    for (std::size_t i = 0; i < box.entries().size(); ++i) {
        const OutboxEntry& was = box.entries()[i];
        const OutboxEntry& is = back.outbox.entries()[i];
        EXPECT_EQ(is.member, was.member);
        EXPECT_EQ(is.idBaca, was.idBaca);
        EXPECT_EQ(is.kind, was.kind);
        EXPECT_EQ(is.payload, was.payload);
        EXPECT_TRUE(is.waitsForSignIn);
    }
    EXPECT_TRUE(back.outbox.ready("m1", 1h).empty());
}

TEST(Journal, NothingToKeepIsNoText) {
    EXPECT_EQ(journalText({}, Outbox{}), "");
}

TEST(Journal, TextThatIsNoJournalIsRefusedAndBrokenRecordsAreLeftOut) {
    for (const char* text : {"", "[]", "{}", "{\"books\":5}", "{\"books\":[", "\x01\xff"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(readJournal(text), std::runtime_error);
    }
    const JournalContents c =
        readJournal(R"({"books":[{"id_baca":"b1"},{"member":"m1"},7,{"member":"m1","id_baca":"b2",)"
                    R"("page_index":"x","annotations":5}],"outbox":{"not":"a list"}})");
    ASSERT_EQ(c.books.size(), 1u);
    EXPECT_EQ(c.books[0].idBaca, "b2");
    EXPECT_EQ(c.books[0].pageIndex, 0);
    EXPECT_EQ(c.books[0].annotations, std::nullopt);
    EXPECT_TRUE(c.outbox.empty());
}

TEST(JournalFile, OnlyItsOwnerMayReadItWhateverTheUmaskAndOlderFiles) {
    TempFolder tmp;
    const fs::path folder = fs::path(tmp.path()) / "share" / "pending";
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::all); // an older, wider folder
    std::ofstream(folder / "journal.json.partial") << "left by a crash";
    fs::permissions(folder / "journal.json.partial", fs::perms::all);
    const mode_t oldMask = ::umask(0);
    JournalFile file(folder);
    file.write("{\"books\":[]}");
    ::umask(oldMask);
    EXPECT_EQ(modeOf(folder), fs::perms::owner_all);
    EXPECT_EQ(modeOf(file.path()), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(folder / "journal.json.partial"));
    EXPECT_EQ(file.load(), std::optional<std::string>("{\"books\":[]}"));

    file.write("");
    EXPECT_FALSE(fs::exists(file.path()));
    EXPECT_EQ(file.load(), std::nullopt);
}

TEST(JournalFile, AnUnreadableJournalIsSetAsideNotOverwritten) {
    TempFolder tmp;
    JournalFile file(fs::path(tmp.path()) / "pending");
    file.write("half a jour");
    file.setAside();
    file.write("{\"books\":[]}");
    int aside = 0;
    for (const auto& e : fs::directory_iterator(file.folder()))
        if (e.path().extension() == ".unreadable") {
            ++aside;
            EXPECT_EQ(readAll(e.path()), "half a jour");
        }
    EXPECT_EQ(aside, 1);
}

TEST(JournalWriter, TheLastTextWinsAndAFailureIsToldOnce) {
    TempFolder tmp;
    const fs::path blocked = fs::path(tmp.path()) / "blocked";
    std::ofstream(blocked) << "a file where the folder should be";
    {
        JournalWriter writer{JournalFile(blocked / "pending")};
        writer.submit("{\"n\":1}");
        writer.flush();
        const std::optional<std::string> error = writer.takeError();
        ASSERT_TRUE(error);
        EXPECT_NE(error->find("blocked"), std::string::npos) << *error;
        EXPECT_EQ(writer.takeError(), std::nullopt);
    }
    JournalWriter writer{JournalFile(fs::path(tmp.path()) / "pending")};
    for (int i = 1; i <= 50; ++i)
        writer.submit("{\"n\":" + std::to_string(i) + "}");
    writer.flush();
    EXPECT_EQ(writer.file().load(), std::optional<std::string>("{\"n\":50}"));
    EXPECT_EQ(writer.takeError(), std::nullopt);
}

TEST(JournalWriter, WhatIsHandedInJustBeforeTheEndIsWritten) {
    TempFolder tmp;
    const fs::path folder = fs::path(tmp.path()) / "pending";
    {
        JournalWriter writer{JournalFile(folder)};
        writer.submit("{\"last\":true}");
    }
    EXPECT_EQ(readAll(folder / "journal.json"), "{\"last\":true}");
}

} // namespace
} // namespace sumberlaras::reader
