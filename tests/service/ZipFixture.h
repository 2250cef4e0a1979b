#pragma once

#include <string>
#include <vector>

#include <zip.h>

namespace sumberlaras::testing {

struct ZipEntry {
    std::string name;
    std::string data;
    bool symlink = false; // stored with Unix link mode bits
};

// Writes a zip archive with exactly these entry names (no normalising), so
// tests can build hostile archives.
inline bool writeZip(const std::string& path, const std::vector<ZipEntry>& entries) {
    zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (!zf)
        return false;
    bool ok = true;
    for (const auto& e : entries) {
        zip_fileinfo info{};
        if (e.symlink)
            info.external_fa = (0120777u) << 16;
        // version made by: Unix (3) so the mode bits count.
        ok = ok && zipOpenNewFileInZip4_64(zf, e.name.c_str(), &info, nullptr, 0, nullptr, 0,
                                           nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0,
                                           -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr,
                                           0, 3 << 8, 0, 0) == ZIP_OK;
        ok = ok &&
             zipWriteInFileInZip(zf, e.data.data(), static_cast<unsigned>(e.data.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zf) == ZIP_OK;
    }
    return zipClose(zf, nullptr) == ZIP_OK && ok;
}

} // namespace sumberlaras::testing
