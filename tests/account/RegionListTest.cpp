#include <gtest/gtest.h>

#include "account/RegionList.h"

namespace sumberlaras {
namespace {

HttpResponse answer(std::string body) {
    HttpResponse r;
    r.ok = true;
    r.status = 200;
    r.body = std::move(body);
    return r;
}

TEST(RegionList, ReadsNamesInAnswerOrderAndIdsAsText) {
    const RegionAnswer a = parseRegionAnswer(
        answer(R"({"code":"200","data":[{"id":"36","nama":"BANTEN"},{"id":11,"nama":"ACEH",)"
               R"("extra":true}]})"));
    ASSERT_TRUE(a.ok) << a.error;
    EXPECT_EQ(a.list.names, (std::vector<std::string>{"BANTEN", "ACEH"}));
    EXPECT_EQ(a.list.idOf("ACEH"), "11");
    EXPECT_EQ(a.list.idOf("BALI"), "");
}

TEST(RegionList, EmptyListIsNotAnError) {
    const RegionAnswer a = parseRegionAnswer(answer(R"({"data":[]})"));
    EXPECT_TRUE(a.ok);
    EXPECT_TRUE(a.list.names.empty());
}

struct BadAnswer {
    const char* body;
    const char* error;
};

class RegionListFailure : public ::testing::TestWithParam<BadAnswer> {};

TEST_P(RegionListFailure, LeavesTheLevelEmptyWithAReason) {
    const RegionAnswer a = parseRegionAnswer(answer(GetParam().body));
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.error, GetParam().error);
    EXPECT_TRUE(a.list.names.empty());
    EXPECT_TRUE(a.list.ids.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RegionListFailure,
    ::testing::Values(BadAnswer{"", "answer is not valid JSON"},
                      BadAnswer{"<html>502</html>", "answer is not valid JSON"},
                      BadAnswer{R"({"data":[{"id":"1")", "answer is not valid JSON"},
                      BadAnswer{"[]", "answer is not a JSON object"},
                      BadAnswer{R"({"code":"200"})", "answer has no region list"},
                      BadAnswer{R"({"data":{"id":"1"}})", "answer has no region list"},
                      BadAnswer{R"({"data":["ACEH"]})", "region entry is not a JSON object"},
                      BadAnswer{R"({"data":[{"id":"1","nama":"X"},{"id":"2","nama":"X"}]})",
                                "duplicate region name: X"}));

TEST(RegionList, TransportFailureKeepsTheDescription) {
    HttpResponse failed;
    failed.error = "Could not connect to server";
    const RegionAnswer a = parseRegionAnswer(failed);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.error, "Could not connect to server");
}

TEST(RegionList, RequestPathPerLevelWithTheParentAsOneSegment) {
    const std::string base = "https://127.0.0.1:1";
    EXPECT_EQ(regionListRequest(base, RegionLevel::Provinsi, "ignored").url,
              base + "/api/generic/provinsi");
    EXPECT_EQ(regionListRequest(base, RegionLevel::Kota, "32").url, base + "/api/generic/kota/32");
    EXPECT_EQ(regionListRequest(base, RegionLevel::Kecamatan, "3271").url,
              base + "/api/generic/kecamatan/3271");
    EXPECT_EQ(regionListRequest(base, RegionLevel::Kelurahan, "../x?y=1#z").url,
              base + "/api/generic/kelurahan/..%2Fx%3Fy%3D1%23z");
    const HttpRequest r = regionListRequest(base, RegionLevel::Kota, "32");
    EXPECT_EQ(r.method, "GET");
    EXPECT_TRUE(r.headers.empty());
}

TEST(RegionList, SortedWithoutRegardToCase) {
    EXPECT_EQ(sortedRegionNames({"bali", "BANTEN", "Aceh", "JAMBI"}),
              (std::vector<std::string>{"Aceh", "bali", "BANTEN", "JAMBI"}));
}

TEST(RegionList, ErrorPrefixes) {
    EXPECT_EQ(regionErrorPrefix(RegionLevel::Provinsi), "Request Error #408: ");
    for (auto level : {RegionLevel::Kota, RegionLevel::Kecamatan, RegionLevel::Kelurahan})
        EXPECT_EQ(regionErrorPrefix(level), "Request Error : ");
}

} // namespace
} // namespace sumberlaras
