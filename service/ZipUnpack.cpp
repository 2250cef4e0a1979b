#include "service/ZipUnpack.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>
#include <unzip.h>

namespace fs = std::filesystem;

namespace sumberlaras {
namespace {

struct UnzCloser {
    void operator()(void* archive) const { unzClose(archive); }
};
using ZipReader = std::unique_ptr<void, UnzCloser>;

// Closes the entry opened on the archive, whatever happens while reading it.
class OpenEntry {
public:
    explicit OpenEntry(unzFile archive) : archive_(archive) {
        opened_ = unzOpenCurrentFile(archive_) == UNZ_OK;
    }
    ~OpenEntry() {
        if (opened_)
            unzCloseCurrentFile(archive_);
    }
    OpenEntry(const OpenEntry&) = delete;
    OpenEntry& operator=(const OpenEntry&) = delete;
    bool opened() const { return opened_; }
    // True when the entry's CRC matched.
    bool close() {
        opened_ = false;
        return unzCloseCurrentFile(archive_) == UNZ_OK;
    }

private:
    unzFile archive_;
    bool opened_ = false;
};

bool isSymbolicLink(const unz_file_info64& info) {
    const unsigned hostSystem = static_cast<unsigned>(info.version >> 8);
    const unsigned mode = static_cast<unsigned>(info.external_fa >> 16);
    return hostSystem == 3 /* Unix */ && (mode & S_IFMT) == S_IFLNK;
}

// Lexical containment after the folders exist: nothing below base resolves elsewhere.
bool staysInside(const fs::path& base, const fs::path& target) {
    const fs::path resolved = fs::weakly_canonical(target);
    auto b = base.begin();
    auto t = resolved.begin();
    for (; b != base.end(); ++b, ++t)
        if (t == resolved.end() || *b != *t)
            return false;
    return true;
}

} // namespace

std::optional<std::string> safeEntryPath(const std::string& entryName) {
    std::string name = entryName;
    for (char& c : name)
        if (c == '\\')
            c = '/';
    if (name.empty() || name.front() == '/' || name.find(':') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return std::nullopt;
    std::string out;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..")
            return std::nullopt;
        if (!part.empty() && part != ".") {
            if (!out.empty())
                out += '/';
            out += part;
        }
        start = end + 1;
    }
    if (out.empty())
        return std::nullopt;
    return out;
}

void unpackZipFile(const std::string& baseDir, const std::string& zipFile,
                   const UnpackLimits& limits) {
    ZipReader archive(unzOpen64(zipFile.c_str()));
    if (!archive)
        throw std::runtime_error("Cannot open the zip archive " + zipFile);
    unzFile uf = archive.get();
    const fs::path base = fs::canonical(fs::path(baseDir));

    std::string firstRefusal;
    uint64_t written = 0;
    uint32_t entries = 0;
    std::vector<char> buffer(64 * 1024);

    int step = unzGoToFirstFile(uf);
    for (; step == UNZ_OK; step = unzGoToNextFile(uf)) {
        if (++entries > limits.maxEntries)
            throw std::runtime_error("The zip archive holds more than " +
                                     std::to_string(limits.maxEntries) + " entries");
        unz_file_info64 info{};
        char rawName[1024];
        if (unzGetCurrentFileInfo64(uf, &info, rawName, sizeof rawName, nullptr, 0, nullptr, 0) !=
            UNZ_OK)
            throw std::runtime_error("The zip archive is damaged");
        if (info.size_filename >= sizeof rawName) {
            if (firstRefusal.empty())
                firstRefusal = "an entry with an over-long name";
            continue;
        }
        const std::string name(rawName, info.size_filename);
        if (name.find_first_not_of("./\\") == std::string::npos &&
            name.find("..") == std::string::npos)
            continue; // "./" and the like: the base folder itself
        const auto relative = safeEntryPath(name);
        if (!relative || isSymbolicLink(info)) {
            if (firstRefusal.empty())
                firstRefusal = name;
            continue;
        }
        const fs::path target = base / *relative;
        const bool isFolder = name.back() == '/' || name.back() == '\\';
        fs::create_directories(isFolder ? target : target.parent_path());
        if (!staysInside(base, isFolder ? target : target.parent_path())) {
            if (firstRefusal.empty())
                firstRefusal = name;
            continue;
        }
        if (isFolder)
            continue;

        OpenEntry entry(uf);
        if (!entry.opened())
            throw std::runtime_error("Cannot read " + name + " from the zip archive");
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out)
            throw std::runtime_error("Cannot create " + target.string());
        for (;;) {
            const int got =
                unzReadCurrentFile(uf, buffer.data(), static_cast<unsigned>(buffer.size()));
            if (got < 0)
                throw std::runtime_error("The zip entry " + name + " is damaged");
            if (got == 0)
                break;
            written += static_cast<uint64_t>(got);
            if (written > limits.maxTotalBytes)
                throw std::runtime_error("The zip archive unpacks to more than " +
                                         std::to_string(limits.maxTotalBytes) + " bytes");
            out.write(buffer.data(), got);
            if (!out)
                throw std::runtime_error("Cannot write " + target.string());
        }
        if (!entry.close())
            throw std::runtime_error("The zip entry " + name + " failed its checksum");
    }
    if (step != UNZ_END_OF_LIST_OF_FILE)
        throw std::runtime_error("The zip archive " + zipFile + " is damaged");
    if (!firstRefusal.empty())
        throw std::runtime_error("Refused the zip entry " + firstRefusal +
                                 ": it would land outside " + baseDir);
}

} // namespace sumberlaras
