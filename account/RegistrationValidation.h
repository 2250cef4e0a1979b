#pragma once

#include <optional>
#include <string>

#include "account/RegistrationEntries.h"

namespace sumberlaras {

// The controls a failed check may move the focus to.
enum class RegistrationField { None, Alamat, Pass1, Pass2 };

struct ValidationResult {
    bool valid = true;
    std::string message; // shown in an error box when !valid
    RegistrationField focus = RegistrationField::None;
};

inline constexpr const char* kAllFieldsRequired = "Semua Kolom Wajib Diisi";
inline constexpr const char* kAddressRequired = "Alamat Wajib Diisi";
inline constexpr const char* kEmailMalformed = "Format E-mail salah";
inline constexpr const char* kPasswordsDiffer = "Ketik Ulang kata sandi anda";
inline constexpr const char* kPasswordWeak =
    "Kata Sandi Minimal 8-Karakter dengan kombinasi huruf angka";

// Checks the entries in the window's fixed order; the first failure wins.
ValidationResult validateInput(const RegistrationEntries& entries);

} // namespace sumberlaras
