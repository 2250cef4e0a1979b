#include "service/DataFolder.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace sumberlaras {
namespace {

fs::path normalised(const std::string& path) {
    fs::path p = fs::path(path).lexically_normal();
    if (p.has_filename() || p == p.root_path())
        return p;
    return p.parent_path(); // drops a trailing separator
}

} // namespace

std::string refusalToDelete(const std::string& dir, const std::string& dataFolder,
                            const std::string& folderName) {
    if (dir.empty())
        return "Refusing to delete an empty path";
    const fs::path target = normalised(dir);
    if (!target.is_absolute())
        return "Refusing to delete the relative path " + dir;
    if (target == target.root_path())
        return "Refusing to delete the root folder";
    if (const char* home = std::getenv("HOME"); home && *home && target == normalised(home))
        return "Refusing to delete the home folder";
    if (folderName.empty() || target.filename() != folderName)
        return "Refusing to delete " + dir + ": it is not the data folder";
    if (dataFolder.empty() || target != normalised(dataFolder))
        return "Refusing to delete " + dir + ": it is not the data folder";
    return {};
}

void removeTree(const std::string& dir) {
    // remove_all works on symlink_status: links are unlinked, not followed.
    fs::remove_all(fs::path(dir));
}

} // namespace sumberlaras
