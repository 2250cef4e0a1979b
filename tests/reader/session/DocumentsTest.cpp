#include "reader/session/Documents.h"
#include "reader/session/UnicodeText.h"

#include <gtest/gtest.h>

namespace sumberlaras::reader {
namespace {

TEST(EmptyDocument, IdThenEmptyDataInThatOrder) {
    EXPECT_EQ(emptyDocument("42").dump(), R"({"id_konten":"42","data":[]})");
    EXPECT_TRUE(documentIsEmpty(emptyDocument("42")));
}

TEST(EmptyDocument, IdThatIsNotUtf8StillSerialises) {
    const Json document = emptyDocument("4\xff"
                                        "2");
    std::string text;
    ASSERT_NO_THROW(text = serialiseDocument(document));
    EXPECT_EQ(Json::parse(text)["id_konten"], "4\xEF\xBF\xBD"
                                              "2");
}

TEST(SerialiseDocument, OneTabPerLevelAndLfLineEnds) {
    const Json document =
        Json::parse(R"({"id_konten":"42","data":[{"page":3,"rects":[[1,2]]}],"empty":[]})");
    EXPECT_EQ(serialiseDocument(document), "{\n"
                                           "\t\"id_konten\": \"42\",\n"
                                           "\t\"data\": [\n"
                                           "\t\t{\n"
                                           "\t\t\t\"page\": 3,\n"
                                           "\t\t\t\"rects\": [\n"
                                           "\t\t\t\t[\n"
                                           "\t\t\t\t\t1,\n"
                                           "\t\t\t\t\t2\n"
                                           "\t\t\t\t]\n"
                                           "\t\t\t]\n"
                                           "\t\t}\n"
                                           "\t],\n"
                                           "\t\"empty\": []\n"
                                           "}");
}

TEST(SerialiseDocument, Utf8TextKeptAsItIs) {
    const std::string note = "Catatan \xC3\xA9 \xE2\x80\x94 \xF0\x9F\x93\x96";
    Json document = emptyDocument("42");
    document["data"].push_back({{"text", note}});
    const std::string text = serialiseDocument(document);
    EXPECT_NE(text.find(note), std::string::npos) << text;
    EXPECT_EQ(Json::parse(text), document);
}

TEST(SerialiseDocument, TextThatIsNotUtf8IsReplaced) {
    Json document = emptyDocument("42");
    document["data"].push_back({{"text", "a\xC3(b\xff"}, {"k\xfe", 1}});
    std::string text;
    ASSERT_NO_THROW(text = serialiseDocument(document));
    const Json back = Json::parse(text);
    EXPECT_EQ(back["data"][0]["text"], "a\xEF\xBF\xBD(b\xEF\xBF\xBD");
    EXPECT_EQ(back["data"][0]["k\xEF\xBF\xBD"], 1);
}

struct EmptinessCase {
    const char* json;
    bool empty;
};

void PrintTo(const EmptinessCase& c, std::ostream* os) {
    *os << c.json;
}

class DocumentIsEmpty : public ::testing::TestWithParam<EmptinessCase> {};

TEST_P(DocumentIsEmpty, OnlyItemsInDataCount) {
    EXPECT_EQ(documentIsEmpty(Json::parse(GetParam().json)), GetParam().empty) << GetParam().json;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DocumentIsEmpty,
    ::testing::Values(EmptinessCase{R"({"id_konten":"42","data":[{"page":1}]})", false},
                      EmptinessCase{R"({"id_konten":"42","data":[]})", true},
                      EmptinessCase{R"({"id_konten":"42"})", true},
                      EmptinessCase{R"({"data":{"page":1}})", true},
                      EmptinessCase{R"([{"page":1}])", true}, EmptinessCase{"null", true}));

TEST(ReadStoredAnnotation, ObjectWithDataArrayIsKept) {
    const std::string text =
        "\xEF\xBB\xBF{\n\t\"id_konten\": \"42\",\n\t\"data\": [{\"page\": 2}]\n}";
    const StoredAnnotation stored = readStoredAnnotation(text, "42");
    EXPECT_FALSE(stored.unreadable);
    EXPECT_EQ(stored.document, Json::parse(R"({"id_konten":"42","data":[{"page":2}]})"));
}

// The copy may come with a byte-order mark; non-ASCII note texts arrive intact.
TEST(ReadStoredAnnotation, DecodedByItsByteOrderMark) {
    const std::u16string text = u"\n\t {\"id_konten\": \"42\", \"data\": [{\"type\": \"NOTES\", "
                                u"\"text\": \"café — ke-2\"}]}";
    const auto utf16 = [&text](bool little) {
        std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t c : text) {
            const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
            out += little ? std::string{lo, hi} : std::string{hi, lo};
        }
        return out;
    };
    const std::string plain = utf8(text);
    const std::pair<const char*, std::string> cases[] = {
        {"UTF-8", plain},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + plain},
        {"UTF-16 little-endian", utf16(true)},
        {"UTF-16 big-endian", utf16(false)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const StoredAnnotation read = readStoredAnnotation(bytes, "42");
        EXPECT_FALSE(read.unreadable);
        EXPECT_EQ(read.document["data"][0]["text"], "café — ke-2");
    }
}

TEST(ReadStoredAnnotation, EmptyDataArrayIsReadable) {
    const StoredAnnotation stored = readStoredAnnotation(R"({"id_konten":"42","data":[]})", "42");
    EXPECT_FALSE(stored.unreadable);
    EXPECT_TRUE(documentIsEmpty(stored.document));
}

class ReadStoredAnnotationUnreadable : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadStoredAnnotationUnreadable, GivesTheEmptyDocument) {
    const StoredAnnotation stored = readStoredAnnotation(GetParam(), "42");
    EXPECT_TRUE(stored.unreadable);
    EXPECT_EQ(stored.document.dump(), R"({"id_konten":"42","data":[]})");
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadStoredAnnotationUnreadable,
                         ::testing::Values("", " \n\t\r\n", R"({"id_konten":"42","data":[{"pa)",
                                           R"({"id_konten":"42","data":[)", R"([{"page":1}])", "[]",
                                           R"({"id_konten":"42"})", R"({"data":{}})",
                                           R"({"data":"[]"})", R"({"data":null})", "null", "42",
                                           R"("text")", R"({"data":[]} trailing)",
                                           "{\"data\":[\"\xff\"]}"));

} // namespace
} // namespace sumberlaras::reader
