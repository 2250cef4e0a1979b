#pragma once

#include <string>

namespace sumberlaras {

// The per-user application data folder of the platform (XDG_DATA_HOME or
// ~/.local/share on Linux), without a trailing separator; empty when unknown.
std::string platformDataRoot();

// Why `dir` must not be deleted as the data folder `dataFolder` (named
// `folderName`), or empty when it may. Only the data folder itself passes:
// never an empty or relative path, "/", the home folder, or a path whose last
// component is not the folder name.
std::string refusalToDelete(const std::string& dir, const std::string& dataFolder,
                            const std::string& folderName);

// Removes `dir` and everything below it without following symbolic links (a
// link is removed, never its target). Throws std::filesystem::filesystem_error.
void removeTree(const std::string& dir);

} // namespace sumberlaras
