#pragma once

#include <cstdint>
#include <string>

namespace sumberlaras::reader {

// "12/240": the shown page's index plus one and the service's page total.
std::string pageDisplayText(int pageIndex, int32_t halamanTotal);

// Upper-case Roman numeral; 0 (and anything below) gives empty text, and
// 4000 and more repeat "M".
std::string IntToRoman(int num);

} // namespace sumberlaras::reader
