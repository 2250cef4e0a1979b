#pragma once

#include <string>

#include "service/HttpTransport.h"
#include "base/JsonSlot.h"

namespace sumberlaras {

// The registration answer as an object: the service's own, or a failure
// envelope {"code":"500","msg":...} when the transfer failed or said nothing.
// An answer that is not a JSON object comes back as an empty object.
Json registrationAnswer(const HttpResponse& response);

enum class RegistrationOutcome { Registered, Refused, NoAnswer };

struct RegistrationVerdict {
    RegistrationOutcome outcome = RegistrationOutcome::NoAnswer;
    std::string message; // the dialog text
};

inline constexpr const char* kRegistrationSucceeded =
    "Pendaftaran Berhasil. Silahkan Cek e-mail yang anda masukan untuk diverifikasi";
inline constexpr const char* kRegistrationNoAnswer = "Registrasi Gagal, Cek Koneksi Internet anda";

RegistrationVerdict judgeRegistration(const Json& answer);

struct ForgotPasswordVerdict {
    bool sent = false;
    std::string message;
};

inline constexpr const char* kResetMailSent = "Silahkan cek e-mail anda untuk langkah selanjutnya";

ForgotPasswordVerdict judgeForgotPassword(const Json& answer);

} // namespace sumberlaras
