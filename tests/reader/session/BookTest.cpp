#include "reader/session/Book.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

struct TextMember {
    const char* name;
    std::string TDetailBook::*field;
};

// Every text of the detail's "data" object and where it lands; the citations
// are easy to cross.
const TextMember kDetailTexts[] = {
    {"id", &TDetailBook::id},
    {"kode", &TDetailBook::kode},
    {"judul", &TDetailBook::judul},
    {"tahun_terbit", &TDetailBook::tahun_terbit},
    {"sinopsis", &TDetailBook::sinopsis},
    {"penulis", &TDetailBook::penulis},
    {"penerbit", &TDetailBook::penerbit},
    {"isbn", &TDetailBook::isbn},
    {"kategori", &TDetailBook::kategori},
    {"dept", &TDetailBook::dept},
    {"mla_style", &TDetailBook::mla_style},
    {"chicago_style", &TDetailBook::chicago_style},
    {"turabian_style", &TDetailBook::turabian_style},
    {"apa_style", &TDetailBook::apa_style},
    {"harvard_style", &TDetailBook::harvard_style},
    {"ieee_style", &TDetailBook::ieee_style},
};

TEST(MakeDetailBook, EachDetailTextLandsInItsOwnField) {
    Json data = Json::object();
    for (const auto& m : kDetailTexts)
        data[m.name] = std::string("value of ") + m.name;
    const TDetailBook book = makeDetailBook(Json::object(), {{"data", data}});
    for (const auto& m : kDetailTexts) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(book.*m.field, std::string("value of ") + m.name);
    }
}

struct NumberForm {
    const char* name;
    Json permission;
    Json data;
};

void PrintTo(const NumberForm& c, std::ostream* os) {
    *os << c.name;
}

class MakeDetailBookNumbers : public ::testing::TestWithParam<NumberForm> {};

TEST_P(MakeDetailBookNumbers, LoanAndPageCountsRead) {
    const TDetailBook book = makeDetailBook(GetParam().permission, {{"data", GetParam().data}});
    EXPECT_EQ(book.id_baca, "981");
    EXPECT_EQ(book.page_index, 7);
    EXPECT_EQ(book.file_anotasi, "ann_42.json");
    EXPECT_EQ(book.rate, 4);
    EXPECT_EQ(book.halaman_romawi, 12);
    EXPECT_EQ(book.halaman_total, 240);
    EXPECT_EQ(book.tahun_terbit, "2019");
    EXPECT_EQ(book.id, "42");
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MakeDetailBookNumbers,
    ::testing::Values(
        NumberForm{
            "JsonNumbers",
            {{"id_baca", 981}, {"page_index", 7}, {"file_anotasi", "ann_42.json"}, {"rate", 4}},
            {{"id", 42}, {"halaman_romawi", 12}, {"halaman_total", 240}, {"tahun_terbit", 2019}}},
        NumberForm{"DecimalTexts",
                   {{"id_baca", "981"},
                    {"page_index", "7"},
                    {"file_anotasi", "ann_42.json"},
                    {"rate", "4"}},
                   {{"id", "42"},
                    {"halaman_romawi", "12"},
                    {"halaman_total", "240"},
                    {"tahun_terbit", "2019"}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(MakeDetailBook, AbsentMembersReadEmptyAndZero) {
    const TDetailBook book = makeDetailBook(Json::object(), {{"data", Json::object()}});
    for (const auto& m : kDetailTexts) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(book.*m.field, "");
    }
    EXPECT_EQ(book.id_baca, "");
    EXPECT_EQ(book.file_anotasi, "");
    EXPECT_EQ(book.page_index, 0);
    EXPECT_EQ(book.rate, 0);
    EXPECT_EQ(book.halaman_romawi, 0);
    EXPECT_EQ(book.halaman_total, 0);
    EXPECT_EQ(book.TabSheet, -1);
}

TEST(MakeDetailBook, PermissionThatIsNoObjectReadsEmpty) {
    const TDetailBook book = makeDetailBook(Json(), {{"data", {{"judul", "Buku"}}}});
    EXPECT_EQ(book.judul, "Buku");
    EXPECT_EQ(book.id_baca, "");
    EXPECT_EQ(book.page_index, 0);
}

class MakeDetailBookRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(MakeDetailBookRefuses, DetailWithoutDataObject) {
    EXPECT_THROW(makeDetailBook(Json::object(), Json::parse(GetParam())), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Details, MakeDetailBookRefuses,
                         ::testing::Values("null", "{}", "[]", R"("data")", R"({"code":"200"})",
                                           R"({"data":null})", R"({"data":[]})", R"({"data":"x"})",
                                           R"({"data":[{"id":"42"}]})"));

struct IntegerCase {
    const char* json; // the value of "n"
    int32_t expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << c.json;
}

class ReadInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ReadInteger, ReadsWholeDecimalsThatFit) {
    const Json object = Json::parse(std::string(R"({"n":)") + GetParam().json + "}");
    EXPECT_EQ(readInteger(object, "n"), GetParam().expected) << GetParam().json;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadInteger,
    ::testing::Values(IntegerCase{"240", 240}, IntegerCase{R"("240")", 240}, IntegerCase{"-3", -3},
                      IntegerCase{R"("-3")", -3}, IntegerCase{"0", 0}, IntegerCase{"240.0", 240},
                      IntegerCase{"2147483647", 2147483647},
                      IntegerCase{R"("2147483647")", 2147483647},
                      IntegerCase{"-2147483648", INT32_MIN},
                      // Too large: 0, never a wrapped value.
                      IntegerCase{"2147483648", 0}, IntegerCase{R"("2147483648")", 0},
                      IntegerCase{"-2147483649", 0}, IntegerCase{"9223372036854775808", 0},
                      IntegerCase{"18446744073709551615", 0},
                      IntegerCase{"18446744071562067968", 0}, IntegerCase{"1e20", 0},
                      IntegerCase{"2.5", 0}, IntegerCase{R"("")", 0}, IntegerCase{R"("12a")", 0},
                      IntegerCase{R"("abc")", 0}, IntegerCase{R"("2.5")", 0},
                      IntegerCase{"true", 0}, IntegerCase{"null", 0}, IntegerCase{"[7]", 0},
                      IntegerCase{R"({"v":7})", 0}));

TEST(ReadIntegerAbsent, AbsentMemberOrNoObjectReadsZero) {
    EXPECT_EQ(readInteger(Json::object(), "n"), 0);
    EXPECT_EQ(readInteger(Json(), "n"), 0);
    EXPECT_EQ(readInteger(Json::array({7}), "n"), 0);
}

} // namespace
} // namespace sumberlaras::reader
