#pragma once

#include "account/RegistrationEntries.h"

namespace sumberlaras::testing {

// A form that passes every check.
inline RegistrationEntries completeEntries() {
    RegistrationEntries e;
    e.name = "Siti Rahayu";
    e.noIdent = "3201012345670001";
    e.jenisIdentitas = "KTP";
    e.kotaLahir = "Bogor";
    e.alamat = "Jl. Merdeka 10";
    e.provinsi = "JAWA BARAT";
    e.kota = "KOTA BOGOR";
    e.kecamatan = "BOGOR TENGAH";
    e.kelurahan = "PALEDANG";
    e.email = "siti@sumberlaras.id";
    e.telepon = "081234567890";
    e.pass1 = "baca1234";
    e.pass2 = "baca1234";
    e.instansi = "SMA 1 Bogor";
    e.pendidikan = "Strata 1 ";
    e.pekerjaan = "Guru";
    e.foto = "/tmp/ktp.jpg";
    e.fotoProfil = "/tmp/profil.png";
    return e;
}

} // namespace sumberlaras::testing
