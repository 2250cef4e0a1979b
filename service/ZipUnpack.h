#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sumberlaras {

struct UnpackLimits {
    uint64_t maxTotalBytes = 256ull << 20; // all entries together, as actually inflated
    uint32_t maxEntries = 20000;
};

// The relative path an archive entry may be written to, or none when the name
// would leave the base folder (absolute, a drive, "..", empty). "\" counts as
// a separator too; "." and empty components are dropped.
std::optional<std::string> safeEntryPath(const std::string& entryName);

// Unpacks the zip file into baseDir, creating folders and keeping relative
// paths. Unsafe entries (see safeEntryPath, and symbolic links) are skipped;
// the rest is unpacked and then std::runtime_error names the first refusal.
// Exceeding a limit stops at once with std::runtime_error.
void unpackZipFile(const std::string& baseDir, const std::string& zipFile,
                   const UnpackLimits& limits = {});

} // namespace sumberlaras
