// A zip archive unpacked into a fresh folder: whatever its entries are
// called, nothing may appear or change outside that folder, and no symbolic
// link is made.
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/ZipUnpack.h"
#include "tests/fuzz/FuzzChecks.h"
#include "tests/support/TempFolder.h"

using namespace sumberlaras;
using namespace sumberlaras::fuzz;
namespace fs = std::filesystem;

namespace {

constexpr const char* kSentinel = "left alone";

// The folders of one run, removed when it ends however it ends.
class RunFolder {
public:
    explicit RunFolder(const fs::path& root) : path_(root / "run") {
        fs::remove_all(path_);
        fs::create_directories(path_ / "parent" / "out");
    }
    ~RunFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct UnzCloser {
    void operator()(void* archive) const { unzClose(archive); }
};

// The entry names as the archive gives them (as far as minizip can list them).
std::vector<std::string> entryNames(const std::string& zipFile) {
    std::vector<std::string> names;
    std::unique_ptr<void, UnzCloser> archive(unzOpen64(zipFile.c_str()));
    if (!archive)
        return names;
    for (int step = unzGoToFirstFile(archive.get()); step == UNZ_OK && names.size() < 256;
         step = unzGoToNextFile(archive.get())) {
        unz_file_info64 info{};
        char name[1024];
        if (unzGetCurrentFileInfo64(archive.get(), &info, name, sizeof name, nullptr, 0, nullptr,
                                    0) != UNZ_OK)
            break;
        names.emplace_back(name, std::min<size_t>(info.size_filename, sizeof name - 1));
    }
    return names;
}

// Where an entry would land if its name were taken as written, when that is
// outside `out`: an absolute name, or one that climbs out with "..".
std::vector<fs::path> escapeTargets(const fs::path& out, std::string name) {
    for (char& c : name)
        if (c == '\\')
            c = '/';
    if (name.find('\0') != std::string::npos)
        name.resize(name.find('\0'));
    if (name.empty())
        return {};
    std::vector<fs::path> targets;
    if (name.front() == '/')
        targets.push_back(fs::path(name).lexically_normal());
    const fs::path joined = (out / name).lexically_normal();
    const fs::path relative = joined.lexically_relative(out);
    if (relative.empty() || *relative.begin() == "..")
        targets.push_back(joined);
    return targets;
}

struct PathState {
    bool exists = false;
    off_t size = 0;
    ino_t inode = 0;
    struct timespec modified {};
    bool operator==(const PathState& o) const {
        return exists == o.exists && size == o.size && inode == o.inode &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
    }
};

PathState stateOf(const fs::path& p) {
    struct stat st {};
    PathState s;
    if (::lstat(p.c_str(), &st) != 0)
        return s;
    s.exists = true;
    s.size = st.st_size;
    s.inode = st.st_ino;
    s.modified = st.st_mtim;
    return s;
}

bool inside(const fs::path& base, const fs::path& p) {
    const fs::path relative = p.lexically_relative(base);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One scratch folder for the whole run of the fuzzer, removed at its end;
    // canonical, so that an escape is told by its path alone.
    static const testing::TempFolder root;
    static const fs::path rootPath = fs::canonical(root.path());
    const RunFolder run(rootPath);
    const fs::path parent = run.path() / "parent";
    const fs::path out = parent / "out";
    const fs::path zip = run.path() / "input.zip";
    const fs::path sentinel = parent / "sentinel.txt";
    std::ofstream(sentinel, std::ios::binary) << kSentinel;
    {
        std::ofstream file(zip, std::ios::binary);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    // Folders that exist already are left out: others may add to /tmp meanwhile.
    std::map<fs::path, PathState> outside;
    for (const std::string& name : entryNames(zip.string()))
        for (const fs::path& target : escapeTargets(out, name))
            if (std::error_code ec; !fs::is_directory(fs::symlink_status(target, ec)))
                outside.emplace(target, stateOf(target));

    UnpackLimits limits;
    limits.maxTotalBytes = 4u << 20;
    limits.maxEntries = 500;
    try {
        unpackZipFile(out.string(), zip.string(), limits);
    } catch (const std::runtime_error&) {
        // A refused or damaged archive says so; what it left is checked below.
    }

    // Nothing but the target folder's content changed.
    uintmax_t written = 0;
    for (auto it = fs::recursive_directory_iterator(run.path());
         it != fs::recursive_directory_iterator(); ++it) {
        const fs::path& p = it->path();
        FUZZ_CHECK_MSG(!it->is_symlink(), p.string());
        if (p == zip || p == parent || p == sentinel || p == out)
            continue;
        FUZZ_CHECK_MSG(inside(out, p), p.string());
        if (it->is_regular_file())
            written += it->file_size();
    }
    FUZZ_CHECK(written <= limits.maxTotalBytes);
    std::ifstream kept(sentinel, std::ios::binary);
    const std::string keptText(std::istreambuf_iterator<char>(kept), {});
    FUZZ_CHECK(keptText == kSentinel);
    for (const auto& [target, before] : outside)
        FUZZ_CHECK_MSG(stateOf(target) == before, target.string());
    return 0;
}
