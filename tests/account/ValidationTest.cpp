#include <functional>

#include <gtest/gtest.h>

#include "tests/account/EntriesFixture.h"
#include "account/RegistrationValidation.h"

namespace sumberlaras {
namespace {

struct ValidationCase {
    const char* what;
    std::function<void(RegistrationEntries&)> change;
    bool valid;
    const char* message;
    RegistrationField focus;
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.what;
}

class ValidateInput : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(ValidateInput, ReportsTheFirstFailureInOrder) {
    const auto& c = GetParam();
    RegistrationEntries e = testing::completeEntries();
    c.change(e);
    const ValidationResult r = validateInput(e);
    EXPECT_EQ(r.valid, c.valid);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.focus, c.focus);
}

using F = RegistrationField;
const char* const kAll = kAllFieldsRequired;

INSTANTIATE_TEST_SUITE_P(
    Entries, ValidateInput,
    ::testing::Values(
        ValidationCase{"complete", [](auto&) {}, true, "", F::None},
        ValidationCase{"everything empty", [](auto& e) { e = RegistrationEntries{}; }, false, kAll,
                       F::None},
        ValidationCase{"only the address empty", [](auto& e) { e.alamat.clear(); }, false,
                       kAddressRequired, F::Alamat},
        ValidationCase{"address and place of birth empty",
                       [](auto& e) {
                           e.alamat.clear();
                           e.kotaLahir.clear();
                       },
                       false, kAll, F::None},
        ValidationCase{"no sub-district", [](auto& e) { e.kelurahan.reset(); }, false, kAll,
                       F::None},
        ValidationCase{"no province, address empty",
                       [](auto& e) {
                           e.provinsi.reset();
                           e.alamat.clear();
                       },
                       false, kAll, F::None},
        ValidationCase{"empty occupation entry chosen", [](auto& e) { e.pekerjaan = ""; }, true, "",
                       F::None},
        ValidationCase{"no occupation", [](auto& e) { e.pekerjaan.reset(); }, false, kAll, F::None},
        ValidationCase{"no e-mail", [](auto& e) { e.email.clear(); }, false, kAll, F::None},
        ValidationCase{"e-mail without domain", [](auto& e) { e.email = "siti@"; }, false,
                       kEmailMalformed, F::None},
        ValidationCase{"bad e-mail before weak password",
                       [](auto& e) {
                           e.email = "siti";
                           e.pass1 = e.pass2 = "x";
                       },
                       false, kEmailMalformed, F::None},
        ValidationCase{"no identity photo", [](auto& e) { e.foto.clear(); }, false, kAll, F::None},
        ValidationCase{"no institution", [](auto& e) { e.instansi.clear(); }, false, kAll, F::None},
        ValidationCase{"passwords differ", [](auto& e) { e.pass2 = "baca12345"; }, false,
                       kPasswordsDiffer, F::Pass2},
        ValidationCase{"passwords differ, first weak",
                       [](auto& e) {
                           e.pass1 = "abc";
                           e.pass2 = "abd";
                       },
                       false, kPasswordsDiffer, F::Pass2},
        ValidationCase{"second password empty", [](auto& e) { e.pass2.clear(); }, false,
                       kPasswordsDiffer, F::Pass2},
        ValidationCase{"same weak passwords", [](auto& e) { e.pass1 = e.pass2 = "bacabuku"; },
                       false, kPasswordWeak, F::Pass1},
        ValidationCase{"no telephone", [](auto& e) { e.telepon.clear(); }, false, kAll, F::None}));

} // namespace
} // namespace sumberlaras
