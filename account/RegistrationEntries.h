#pragma once

#include <optional>
#include <string>

namespace sumberlaras {

// What the registration window holds when "Kirim Registrasi*" is pressed.
// A list without a selection is nullopt (an empty text may be a real entry).
struct RegistrationEntries {
    std::string name;
    bool wanita = false; // "Pria" otherwise
    std::string noIdent;
    std::optional<std::string> jenisIdentitas;
    std::string kotaLahir;
    std::string tglLahir = "1990-01-01"; // yyyy-mm-dd
    std::string alamat;
    std::optional<std::string> provinsi;
    std::optional<std::string> kota;
    std::optional<std::string> kecamatan;
    std::optional<std::string> kelurahan;

    std::string email;
    std::string telepon;
    std::string pass1;
    std::string pass2;
    std::string instansi;
    std::optional<std::string> pendidikan;
    std::optional<std::string> pekerjaan;
    std::string foto;
    std::string fotoProfil;
};

// Region identifiers of the selected names.
struct RegionIds {
    std::string provinsi;
    std::string kota;
    std::string kecamatan;
    std::string kelurahan;
};

} // namespace sumberlaras
