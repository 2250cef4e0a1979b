#pragma once

#include <string_view>

namespace sumberlaras {

// The e-mail form check shared by registration and password reset.
bool isValidEmail(std::string_view address);

// At least 8 ASCII letters and digits, with at least one of each.
bool isValidPassword(std::string_view password);

} // namespace sumberlaras
