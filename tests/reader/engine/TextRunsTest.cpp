#include "reader/engine/TextRuns.h"

#include <gtest/gtest.h>

namespace sumberlaras {
namespace {

TEST(TextRuns, WordsAndLines) {
    const std::u16string text = u"Sumberlaras membaca buku\r\nBaca buku";
    const struct {
        int index;
        CharRange word, line;
    } cases[] = {
        {14, {12, 18}, {0, 23}},
        {0, {0, 10}, {0, 23}},
        {11, {11, 11}, {0, 23}},
        {28, {26, 29}, {26, 34}},
        {34, {31, 34}, {26, 34}},
        {-1, {}, {}},
        {35, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wordAround(text, c.index), c.word) << c.index;
        EXPECT_EQ(lineAround(text, c.index), c.line) << c.index;
    }
}

} // namespace
} // namespace sumberlaras
