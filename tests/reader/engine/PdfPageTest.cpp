#include "tests/reader/engine/BookFixture.h"

#include <atomic>
#include <thread>
#include <utility>

namespace sumberlaras {
namespace {

using testing::BookTest;
using testing::bytesOf;
using testing::q;

TEST_F(BookTest, PagesHaveTheirSizeAndText) {
    ASSERT_EQ(doc.PageCount(), 3);
    TPdfPage* page = doc.Pages(0);
    ASSERT_NE(page, nullptr);
    EXPECT_DOUBLE_EQ(page->Width(), 612);
    EXPECT_DOUBLE_EQ(page->Height(), 792);
    const QString text = q(page->ReadText(0, page->GetCharCount()));
    EXPECT_TRUE(text.startsWith("Sumberlaras membaca buku")) << text.toStdString();
    EXPECT_TRUE(text.contains("Baca buku setiap hari, baca!")) << text.toStdString();
    EXPECT_EQ(q(page->ReadText(0, 11)), "Sumberlaras");
    EXPECT_EQ(q(page->ReadText(12, 7)), "membaca");
    EXPECT_EQ(doc.Pages(3), nullptr);
    EXPECT_EQ(doc.Pages(-1), nullptr);
}

TEST_F(BookTest, ReadTextOfNothingIsEmpty) {
    TPdfPage* page = doc.Pages(0);
    EXPECT_TRUE(page->ReadText(0, 0).empty());
    EXPECT_TRUE(page->ReadText(3, -2).empty());
    EXPECT_TRUE(page->ReadText(100000, 5).empty());
    // A count past the end reads what is there.
    const int n = page->GetCharCount();
    EXPECT_EQ(q(page->ReadText(n - 5, 50)), "baca!");
}

TPdfRect unionOfRects(TPdfPage& page, int index, int count) {
    const int n = page.GetTextRectCount(index, count);
    TPdfRect u{1e9, -1e9, -1e9, 1e9};
    for (int i = 0; i < n; ++i) {
        const TPdfRect r = page.GetTextRect(i);
        u = {std::min(u.Left, r.Left), std::max(u.Top, r.Top), std::max(u.Right, r.Right),
             std::min(u.Bottom, r.Bottom)};
    }
    return u;
}

TEST_F(BookTest, RectsOfARangeLieWhereTheTextWasWritten) {
    TPdfPage* page = doc.Pages(0);
    // "membaca" sits on the first baseline: 100 points from the top, 692 from the bottom.
    EXPECT_GE(page->GetTextRectCount(12, 7), 1);
    const TPdfRect word = unionOfRects(*page, 12, 7);
    EXPECT_GT(word.Left, 72 + 40);
    EXPECT_LT(word.Right, 72 + 200);
    EXPECT_GT(word.Top, 692 + 5);
    EXPECT_LT(word.Top, 692 + 14);
    EXPECT_LT(word.Bottom, 692 + 2);
    EXPECT_GT(word.Bottom, 692 - 5);
    // The whole text reaches down to the second line (662 from the bottom).
    const TPdfRect all = unionOfRects(*page, 0, page->GetCharCount());
    EXPECT_LT(all.Bottom, 662 + 2);
    EXPECT_GT(all.Bottom, 662 - 5);
    // Text inside a word's rectangle is that word.
    EXPECT_EQ(q(page->GetTextAt(word)).trimmed().toStdString(), "membaca");
    EXPECT_EQ(page->GetTextRectCount(0, 0), 0);
}

struct FindCase {
    const char* text;
    bool matchCase;
    bool wholeWord;
    int matches;
};

class FindTest : public BookTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindTest, CountsMatchesOnThePage) {
    const FindCase& c = GetParam();
    TPdfPage* page = doc.Pages(0);
    ASSERT_TRUE(page->BeginFind(QString(c.text).toStdU16String(), c.matchCase, c.wholeWord));
    int found = 0, index = 0, count = 0;
    while (page->FindNext(index, count)) {
        ++found;
        EXPECT_EQ(count, static_cast<int>(std::char_traits<char>::length(c.text)));
        EXPECT_EQ(q(page->ReadText(index, count)).toLower(), QString(c.text).toLower());
    }
    page->EndFind();
    EXPECT_EQ(found, c.matches);
}

// The same matches in one call, each with the rectangles of its range.
TEST_P(FindTest, FindAllGivesEveryMatchWithItsRects) {
    const FindCase& c = GetParam();
    TPdfPage* page = doc.Pages(0);
    const std::u16string text = QString(c.text).toStdU16String();
    std::vector<std::pair<int, int>> stepwise;
    ASSERT_TRUE(page->BeginFind(text, c.matchCase, c.wholeWord));
    int index = 0, count = 0;
    while (page->FindNext(index, count))
        stepwise.emplace_back(index, count);
    page->EndFind();
    const std::vector<TPdfMatch> matches = page->FindAll(text, c.matchCase, c.wholeWord);
    ASSERT_EQ(matches.size(), stepwise.size());
    EXPECT_EQ(static_cast<int>(matches.size()), c.matches);
    for (size_t i = 0; i < matches.size(); ++i) {
        EXPECT_EQ(matches[i].CharIndex, stepwise[i].first) << i;
        EXPECT_EQ(matches[i].Count, stepwise[i].second) << i;
        EXPECT_FALSE(matches[i].Rects.empty()) << i;
        EXPECT_EQ(matches[i].Rects, page->TextRects(matches[i].CharIndex, matches[i].Count)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CaseAndWholeWord, FindTest,
    ::testing::Values(FindCase{"baca", false, false, 3}, // membaca, Baca, baca
                      FindCase{"baca", false, true, 2},  // not inside "membaca"
                      FindCase{"baca", true, true, 1},   // only the lower-case word
                      FindCase{"Baca", true, false, 1}, FindCase{"buku", false, true, 2},
                      FindCase{"tidak ada", false, false, 0}));

TEST_F(BookTest, TextRectsAreTheRectsOfTheRangeInOneCall) {
    TPdfPage* page = doc.Pages(0);
    const struct {
        int index, count;
    } ranges[] = {{12, 7}, {0, 24}, {0, page->GetCharCount()}, {0, 0}, {-3, 5}, {5, -1}};
    for (const auto& r : ranges) {
        std::vector<TPdfRect> oneByOne;
        const int n = page->GetTextRectCount(r.index, r.count);
        for (int i = 0; i < n; ++i)
            oneByOne.push_back(page->GetTextRect(i));
        EXPECT_EQ(page->TextRects(r.index, r.count), oneByOne) << r.index << "+" << r.count;
    }
    EXPECT_TRUE(page->TextRects(0, 0).empty());
    EXPECT_TRUE(page->TextRects(-3, 5).empty());
    EXPECT_FALSE(page->TextRects(12, 7).empty());
}

TEST_F(BookTest, FindAllLeavesAStepwiseSearchWhereItWas) {
    TPdfPage* page = doc.Pages(0);
    ASSERT_TRUE(page->BeginFind(u"baca", false, true));
    int first = -1, second = -1, count = 0;
    ASSERT_TRUE(page->FindNext(first, count));
    EXPECT_EQ(page->FindAll(u"buku", false, true).size(), 2u);
    EXPECT_TRUE(page->FindAll(u"", false, false).empty());
    ASSERT_TRUE(page->FindNext(second, count));
    EXPECT_GT(second, first);
    EXPECT_EQ(q(page->ReadText(second, count)).toLower(), "baca");
    page->EndFind();
}

TEST_F(BookTest, CharsAreTheTextWithTheBoxOfEachCharacter) {
    TPdfPage* page = doc.Pages(0);
    const PageChars chars = page->Chars();
    const int n = page->GetCharCount();
    EXPECT_EQ(chars.text, page->ReadText(0, n));
    ASSERT_EQ(static_cast<int>(chars.boxes.size()), n);
    int generated = 0;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(chars.boxes[static_cast<size_t>(i)], page->CharBox(i)) << i;
        generated += !chars.boxes[static_cast<size_t>(i)].has_value();
    }
    EXPECT_GT(generated, 0); // the break between the two lines
    for (const TPdfPoint p : {TPdfPoint{0, 0}, TPdfPoint{300, 680}, TPdfPoint{2000, -2000}})
        EXPECT_EQ(nearestChar(chars.boxes, p), page->NearestChar(p));
}

// The in-book search finds on a worker while the view reads rectangles: each call
// holds the PDFium lock for all of its work, so neither sees the other's state.
TEST_F(BookTest, OneCallReadsStayWholeAcrossThreads) {
    TPdfPage* page = doc.Pages(0);
    const std::vector<TPdfMatch> expected = page->FindAll(u"baca", false, false);
    const std::vector<TPdfRect> word = page->TextRects(12, 7);
    std::atomic<bool> wrong = false;
    std::thread worker([&] {
        for (int round = 0; round < 200; ++round)
            if (page->FindAll(u"baca", false, false).size() != expected.size())
                wrong = true;
    });
    for (int round = 0; round < 200; ++round)
        if (page->TextRects(12, 7) != word)
            wrong = true;
    worker.join();
    EXPECT_FALSE(wrong);
    for (const TPdfMatch& m : expected)
        EXPECT_EQ(m.Rects, page->TextRects(m.CharIndex, m.Count));
}

TEST_F(BookTest, NearestCharacterAtAnyDistance) {
    TPdfPage* page = doc.Pages(0);
    const TPdfRect s = *page->CharBox(0);
    double distance = -1;
    EXPECT_EQ(page->NearestChar({(s.Left + s.Right) / 2, (s.Top + s.Bottom) / 2}, &distance), 0);
    EXPECT_EQ(distance, 0);
    // Far left of the first line, and far below everything: the last line's characters.
    EXPECT_EQ(page->NearestChar({0, 692 + 4}), 0);
    const int far = page->NearestChar({2000, -2000}, &distance);
    EXPECT_GT(distance, 1000);
    EXPECT_EQ(q(page->ReadText(far, 1)), "!");
}

} // namespace
} // namespace sumberlaras
