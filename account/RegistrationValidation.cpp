#include "account/RegistrationValidation.h"

#include "account/AccountPatterns.h"

namespace sumberlaras {

namespace {

ValidationResult fail(const char* message, RegistrationField focus = RegistrationField::None) {
    return {false, message, focus};
}

} // namespace

ValidationResult validateInput(const RegistrationEntries& e) {
    // The order is the order in which the window's controls were created,
    // which is what users of the old forms see; keep it.
    if (e.kotaLahir.empty() || e.name.empty() || e.noIdent.empty() || !e.kecamatan ||
        !e.kelurahan || !e.kota || !e.jenisIdentitas || !e.provinsi)
        return fail(kAllFieldsRequired);
    if (e.alamat.empty())
        return fail(kAddressRequired, RegistrationField::Alamat);
    if (!e.pekerjaan || !e.pendidikan || e.email.empty())
        return fail(kAllFieldsRequired);
    if (!isValidEmail(e.email))
        return fail(kEmailMalformed);
    if (e.foto.empty() || e.fotoProfil.empty() || e.instansi.empty() || e.pass1.empty())
        return fail(kAllFieldsRequired);
    // Strength only matters once both copies agree.
    if (e.pass1 != e.pass2)
        return fail(kPasswordsDiffer, RegistrationField::Pass2);
    if (!isValidPassword(e.pass1))
        return fail(kPasswordWeak, RegistrationField::Pass1);
    if (e.pass2.empty() || e.telepon.empty())
        return fail(kAllFieldsRequired);
    return {};
}

} // namespace sumberlaras
