#include "reader/session/JournalFile.h"

#include <cerrno>
#include <chrono>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumberlaras::reader {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failed close is seen.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

} // namespace

JournalFile::JournalFile(fs::path folder) : folder_(std::move(folder)) {}

void JournalFile::makeFolder() const {
    fs::create_directories(folder_);
    // An older folder may have been made with wider rights.
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace);
}

std::optional<std::string> JournalFile::load() const {
    FileDescriptor fd(::open(path().c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt; // never written; a write will say what is in the way
        fail("open " + path().string());
    }
    std::string text;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("read " + path().string());
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

void JournalFile::write(const std::string& text) const {
    makeFolder();
    if (text.empty()) {
        fs::remove(path());
        return;
    }
    const fs::path partial = folder_ / "journal.json.partial";
    FileDescriptor fd(::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        fail("open " + partial.string());
    // A partial file left by an older run keeps its mode through O_CREAT.
    if (::fchmod(fd.get(), 0600) != 0)
        fail("chmod " + partial.string());
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("write " + partial.string());
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        fail("fsync " + partial.string());
    if (!fd.close())
        fail("close " + partial.string());
    fs::rename(partial, path());
    // The rename itself survives a power cut only once the folder is synced.
    FileDescriptor dir(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

void JournalFile::setAside() const {
    const auto stamp = std::chrono::duration_cast<std::chrono::seconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    fs::rename(path(), folder_ / ("journal-" + std::to_string(stamp) + ".unreadable"));
}

JournalWriter::JournalWriter(JournalFile file)
    : file_(std::move(file)), thread_([this] { run(); }) {}

JournalWriter::~JournalWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void JournalWriter::submit(std::string text) {
    submit([text = std::move(text)] { return text; });
}

void JournalWriter::submit(std::function<std::string()> makeText) {
    {
        std::lock_guard lock(mutex_);
        pending_ = std::move(makeText);
    }
    wake_.notify_all();
}

void JournalWriter::flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !writing_; });
}

std::optional<std::string> JournalWriter::takeError() {
    std::lock_guard lock(mutex_);
    return std::exchange(error_, std::nullopt);
}

void JournalWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_)
            return; // stopping, with nothing left to write
        std::function<std::string()> makeText = std::move(pending_);
        pending_ = nullptr;
        writing_ = true;
        lock.unlock();
        std::optional<std::string> error;
        try {
            file_.write(makeText());
        } catch (const std::exception& e) {
            error = e.what();
        }
        lock.lock();
        writing_ = false;
        if (error)
            error_ = std::move(error);
        else if (!pending_)
            error_.reset();
        idle_.notify_all();
    }
}

} // namespace sumberlaras::reader
