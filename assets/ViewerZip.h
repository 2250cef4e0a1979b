#pragma once

#include <string_view>

namespace sumberlaras {

// The viewer assets archive ("viewerzip") packed into the program.
std::string_view viewerZip();

// The note icon ("notes"): a 48 by 48 RGBA PNG.
std::string_view notesPng();

} // namespace sumberlaras
