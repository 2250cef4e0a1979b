#pragma once

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace sumberlaras::reader {

// The journal on disk: one file in a folder only its owner may enter (0700),
// itself readable by its owner only (0600), replaced whole by a rename so a
// crash leaves either the old text or the new one.
class JournalFile {
public:
    explicit JournalFile(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path path() const { return folder_ / "journal.json"; }

    // The journal's text; nothing when there is none. Throws std::system_error.
    std::optional<std::string> load() const;
    // Replaces the journal with `text`; empty text removes it. Throws
    // std::system_error.
    void write(const std::string& text) const;
    // Moves an unreadable journal aside, so that the next write keeps it.
    void setAside() const;

private:
    void makeFolder() const;

    std::filesystem::path folder_;
};

// Writes the journal on a thread of its own: the newest text handed in wins,
// and writes never overlap or come out of order. The text may be made on that
// thread too, from a snapshot the maker holds.
class JournalWriter {
public:
    explicit JournalWriter(JournalFile file);
    // Writes what is still pending, then stops.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    void submit(std::string text);
    void submit(std::function<std::string()> makeText);
    // Returns once everything handed in is on disk (or failed).
    void flush();
    // The last write's failure, once; nothing when it succeeded.
    std::optional<std::string> takeError();

    const JournalFile& file() const { return file_; }

private:
    void run();

    const JournalFile file_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::function<std::string()> pending_;
    bool writing_ = false;
    bool stopping_ = false;
    std::optional<std::string> error_;
    std::thread thread_; // last: starts once the members above exist
};

} // namespace sumberlaras::reader
