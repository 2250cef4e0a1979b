#pragma once

#include <string>
#include <utility>
#include <vector>

namespace standin {

using FormFields = std::vector<std::pair<std::string, std::string>>;

// application/x-www-form-urlencoded text: pairs split at "&", name and value
// at the first "=", "+" as a blank and %XX decoded. A "%" that starts no
// escape stays as it is.
FormFields parseForm(const std::string& text);

const std::string* findField(const FormFields& fields, const std::string& name);

} // namespace standin
