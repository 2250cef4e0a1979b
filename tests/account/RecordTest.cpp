#include <gtest/gtest.h>

#include "tests/account/EntriesFixture.h"
#include "account/Occupations.h"
#include "account/RegistrationRecord.h"
#include "base/JsonSlot.h"

namespace sumberlaras {
namespace {

TEST(RegistrationRecord, MembersInOrderAllStringsNoWhiteSpace) {
    RegistrationEntries e = testing::completeEntries();
    e.name = "Siti \"Ayu\" Rahayu";
    e.alamat = "Jl. Merdeka 10\nRT 01\\02";
    e.wanita = true;
    const RegionIds ids{"32", "3271", "327101", "3271011001"};

    EXPECT_EQ(buildRegistrationRecord("396", e, ids),
              R"({"id_mitra":"396","username":"siti@sumberlaras.id","password":"baca1234",)"
              R"("nama":"Siti \"Ayu\" Rahayu","id_provinsi":"32","id_kota":"3271",)"
              R"("id_kecamatan":"327101","id_kelurahan":"3271011001","tgl_lahir":"1990-01-01",)"
              R"("gender":"P","nomor_identitas":"3201012345670001","jenis_identitas":"KTP",)"
              R"("pekerjaan":"Guru","pendidikan":"Strata 1 ","alamat":"Jl. Merdeka 10\nRT 01\\02",)"
              R"("kota":"KOTA BOGOR","no_telepon":"081234567890"})");
}

TEST(RegistrationRecord, ControlCharactersAndNonAsciiRoundTrip) {
    RegistrationEntries e = testing::completeEntries();
    e.alamat = "Gang \xC3\xA9\r\n\t\x01 ujung";
    e.wanita = false;
    const Json parsed = Json::parse(buildRegistrationRecord("396", e, {}));
    EXPECT_EQ(parsed["alamat"], e.alamat);
    EXPECT_EQ(parsed["gender"], "L");
    EXPECT_EQ(parsed["id_kota"], "");
}

TEST(Occupations, SplitAtEverySemicolonKeepingEmptyPieces) {
    EXPECT_EQ(splitOccupations("Guru;;Petani;"),
              (std::vector<std::string>{"Guru", "", "Petani", ""}));
    EXPECT_EQ(splitOccupations("Guru"), (std::vector<std::string>{"Guru"}));
    EXPECT_TRUE(splitOccupations("").empty());
}

TEST(Occupations, ReadFromThePartnerConfigurationOnly) {
    const Json good = Json::parse(R"({"data":{"daftar_pekerjaan":"Guru;Dosen"}})");
    EXPECT_EQ(occupationsOf(&good), (std::vector<std::string>{"Guru", "Dosen"}));
    for (const char* odd :
         {R"({"data":{"daftar_pekerjaan":["Guru"]}})", R"({"data":"x"})", R"({})", R"([1])"}) {
        const Json j = Json::parse(odd);
        EXPECT_TRUE(occupationsOf(&j).empty()) << odd;
    }
    EXPECT_TRUE(occupationsOf(nullptr).empty());
}

} // namespace
} // namespace sumberlaras
