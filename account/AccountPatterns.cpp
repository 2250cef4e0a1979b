#include "account/AccountPatterns.h"

#include "account/Pcre2Pattern.h"

namespace sumberlaras {

namespace {

// Kept byte for byte as the service's own forms use them.
constexpr std::string_view kEmailExpression =
    R"re(^((?>[a-zA-Z\d!#$%&'*+\-/=?^_`{|}~]+\x20*|"((?=[\x01-\x7f])[^"\\]|\\[\x01-\x7f])*"\x20*)*(?<angle><))?((?!\.)(?>\.?[a-zA-Z\d!#$%&'*+\-/=?^_`{|}~]+)+|"((?=[\x01-\x7f])[^"\\]|\\[\x01-\x7f])*")@(((?!-)[a-zA-Z\d\-]+(?<!-)\.)+[a-zA-Z]{2,}|\[(((?(?<!\[)\.)(25[0-5]|2[0-4]\d|[01]?\d?\d)){4}|[a-zA-Z\d\-]*[a-zA-Z\d]:((?=[\x01-\x7f])[^\\\[\]]|\\[\x01-\x7f])+)\])(?(angle)>)$)re";

constexpr std::string_view kPasswordExpression = R"re(^(?=.*[A-Za-z])(?=.*\d)[A-Za-z\d]{8,}$)re";

} // namespace

bool isValidEmail(std::string_view address) {
    static const Pcre2Pattern pattern(kEmailExpression, 0);
    return pattern.matches(address);
}

bool isValidPassword(std::string_view password) {
    static const Pcre2Pattern pattern(kPasswordExpression, PCRE2_CASELESS | PCRE2_MULTILINE);
    return pattern.matches(password);
}

} // namespace sumberlaras
