#pragma once

namespace sumberlaras {

#ifdef SUMBERLARAS_CLIENT_ID
inline constexpr const char* kAccountClientId = SUMBERLARAS_CLIENT_ID;
#else
inline constexpr const char* kAccountClientId = "396";
#endif

} // namespace sumberlaras
