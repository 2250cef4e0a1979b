#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sumberlaras {

// "%8.8X": eight upper-case hex digits, zero padded.
std::string formatVolumeSerial(uint32_t serial);

// A 32-bit identifier of the volume that holds the system: the file-system id
// of "/" folded to 32 bits; none when the system reports none.
std::optional<uint32_t> systemVolumeSerial();

// The device identifier: the formatted volume serial; when none can be read,
// the first eight hex digits of /etc/machine-id; failing that "00000000".
std::string deviceIdentifier();

} // namespace sumberlaras
