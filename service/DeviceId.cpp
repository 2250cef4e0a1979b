#include "service/DeviceId.h"

#include <cctype>
#include <cstdio>
#include <fstream>

#include <sys/statvfs.h>

namespace sumberlaras {

std::string formatVolumeSerial(uint32_t serial) {
    char text[9];
    std::snprintf(text, sizeof text, "%8.8X", static_cast<unsigned>(serial));
    return text;
}

std::optional<uint32_t> systemVolumeSerial() {
    struct statvfs info {};
    if (statvfs("/", &info) != 0)
        return std::nullopt;
    const auto id = static_cast<uint64_t>(info.f_fsid);
    const auto folded = static_cast<uint32_t>(id ^ (id >> 32));
    if (folded == 0)
        return std::nullopt;
    return folded;
}

std::string deviceIdentifier() {
    if (const auto serial = systemVolumeSerial())
        return formatVolumeSerial(*serial);
    std::ifstream machineId("/etc/machine-id");
    std::string line;
    if (machineId && std::getline(machineId, line) && line.size() >= 8) {
        std::string id;
        for (char c : line.substr(0, 8)) {
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return formatVolumeSerial(0);
            id += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return id;
    }
    return formatVolumeSerial(0);
}

} // namespace sumberlaras
