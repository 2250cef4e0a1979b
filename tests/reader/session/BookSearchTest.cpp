#include "reader/session/BookSearch.h"

#include <map>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

struct FoldCase {
    const char* text;
    const char* keyword;
    bool found;
};

// Matches ignore case by Unicode folding and find the keyword inside words.
TEST(BookSearch, PageTestFoldsCaseAndMatchesSubstrings) {
    const FoldCase cases[] = {
        {"Ekonomi rakyat", "ekonomi", true},
        {"EKONOMI", "Ekonomi", true},
        {"Baja Çelik dari Turki", "çelik", true},
        {"baja çelik", "ÇELIK", true},
        {"Pendidikan Anak Usia Dini — edisi ke-2, café", "CAFÉ", true},
        {"Straße", "STRASSE", true}, // full folding, not one unit for one unit
        {"Anak membaca buku", "baca", true},
        {"Σοφία", "ΣΟΦΊΑ", true},
        {"Çelik", "celik", false}, // a letter with a cedilla is another letter
        {"Ekonomi", "ekonomi rakyat", false},
        {"anything", "", false},
    };
    for (const FoldCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.keyword);
        EXPECT_EQ(containsFolded(utf16(c.text), foldCase(utf16(c.keyword))), c.found);
    }
}

TEST(BookSearch, BrokenUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(utf16("a\xff"
                    "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8(u"café — Çelik"), "café — Çelik");
}

// A book of twelve pages with known words on known pages.
const std::map<int, std::u16string> kPages = {
    {3, u"Pengantar ekonomi desa"},
    {5, u"Anak membaca buku"},
    {7, u"Baja Çelik dari Turki"},
    {9, u"Ekonomi rakyat"},
};
constexpr int kPageCount = 12;

struct ScanCase {
    const char* name;
    const char* keyword;
    bool forwards;
    int shown;
    ScanEnd end;
    int page;
    std::vector<int> read; // pages the scan read, in order
};

TEST(BookSearch, ScanReadsOnlyThePagesAfterOrBeforeTheShownOne) {
    const ScanCase cases[] = {
        {"next occurrence further on", "ekonomi", true, 3, ScanEnd::Found, 9, {4, 5, 6, 7, 8, 9}},
        {"backwards to the nearest", "ekonomi", false, 11, ScanEnd::Found, 9, {10, 9}},
        {"shown page is never read", "ekonomi", true, 9, ScanEnd::NotFound, -1, {10, 11}},
        {"nor backwards", "ekonomi", false, 3, ScanEnd::NotFound, -1, {2, 1, 0}},
        {"last page forwards", "ekonomi", true, 11, ScanEnd::NoPages, -1, {}},
        {"first page backwards", "ekonomi", false, 0, ScanEnd::NoPages, -1, {}},
        {"inside a longer word", "baca", true, 0, ScanEnd::Found, 5, {1, 2, 3, 4, 5}},
        {"non-ASCII upper case", "ÇELIK", true, 5, ScanEnd::Found, 7, {6, 7}},
        {"non-ASCII lower case", "çelik", true, 5, ScanEnd::Found, 7, {6, 7}},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> read;
        const ScanResult r = scanPages(utf16(c.keyword), c.forwards, c.shown, kPageCount,
                                       [&read](int page) {
                                           read.push_back(page);
                                           const auto it = kPages.find(page);
                                           return it == kPages.end()
                                                      ? std::u16string(u"Halaman kosong")
                                                      : it->second;
                                       },
                                       {});
        EXPECT_EQ(r.end, c.end);
        EXPECT_EQ(r.page, c.page);
        EXPECT_EQ(read, c.read);
    }
}

// What the worker tells the main thread.
class RecordingTask final : public Task {
public:
    explicit RecordingTask(TaskParams p) : params_(std::move(p)) {}
    const std::string& label() const override { return label_; }
    const TaskParams& params() const override { return params_; }
    bool stopRequested() const override { return stop; }
    void postMessage(int id, const std::string& text) override { messages.push_back({id, text}); }

    bool stop = false;
    std::vector<std::pair<int, std::string>> messages;

private:
    std::string label_ = "searchWorker";
    TaskParams params_;
};

std::u16string bookPage(int page) {
    const auto it = kPages.find(page);
    return it == kPages.end() ? std::u16string() : it->second;
}

TEST(BookSearch, WorkerReportsOneMessageOrNone) {
    struct Case {
        const char* name;
        int direction;
        int shown;
        std::vector<std::pair<int, std::string>> messages;
    };
    const Case cases[] = {
        {"found", 1, 3, {{kSearchFound, "9"}}},
        {"not found", 1, 9, {{kSearchNotFound, "Tidak Ditemukan"}}},
        {"nothing to scan", 1, 11, {}},
        {"nothing before the first", 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTask task(
            searchParams("ekonomi", c.direction, c.shown, kPageCount, "TabSheet1", "7"));
        SearchWorker(task, bookPage);
        EXPECT_EQ(task.messages, c.messages);
    }
}

TEST(BookSearch, WorkerReportsAFailureWithItsText) {
    RecordingTask task(searchParams("ekonomi", 1, 0, kPageCount, "TabSheet1", "7"));
    SearchWorker(task, [](int page) -> std::u16string {
        if (page == 2)
            throw std::runtime_error("Page not found or content error");
        return u"";
    });
    ASSERT_EQ(task.messages.size(), 1u);
    EXPECT_EQ(task.messages[0].first, kSearchFailed);
    EXPECT_EQ(task.messages[0].second, "Error Exception #1338 : Page not found or content error");
}

TEST(BookSearch, StoppedWorkerSaysNothing) {
    RecordingTask task(searchParams("ekonomi", 1, 0, kPageCount, "TabSheet1", "7"));
    task.stop = true;
    SearchWorker(task, bookPage);
    EXPECT_TRUE(task.messages.empty());
}

} // namespace
} // namespace sumberlaras::reader
