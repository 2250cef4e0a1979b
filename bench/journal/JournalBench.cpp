// The journal of three open books with many marks each:
//   snapshot on the UI thread (each book's documents serialised as a return
//   sends them, then the journal's text) / the return serialisation alone;
//   the write on the journal's thread (a new file, synced, renamed) / the same
//   bytes written to a file without sync or rename.
// Usage: journal_bench [marks per book] [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "bench/support/Median.h"
#include "reader/session/Journal.h"
#include "reader/session/JournalFile.h"
#include "reader/session/LoanWork.h"

namespace sumberlaras {
namespace {

using Steady = std::chrono::steady_clock;
namespace fs = std::filesystem;

double msSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

reader::TReaderSettings bookWithMarks(int marks, int book) {
    reader::TReaderSettings s;
    s.AnnotationObject = {{"id_konten", std::to_string(100 + book)}, {"data", Json::array()}};
    for (int i = 0; i < marks; ++i) {
        Json ink = {
            {"page", i % 48}, {"type", "INK"}, {"color", 255}, {"draw_data", Json::array()}};
        for (int p = 0; p < 12; ++p)
            ink["draw_data"].push_back({{"x", 100.5 + p}, {"y", 200.25 + p}});
        s.AnnotationObject["data"].push_back(std::move(ink));
    }
    s.TextCopyObject = {{"id_konten", std::to_string(100 + book)}, {"data", Json::array()}};
    for (int i = 0; i < marks / 10; ++i)
        s.TextCopyObject["data"].push_back({{"page", "12"}, {"text", "Sebuah kutipan panjang"}});
    return s;
}

} // namespace
} // namespace sumberlaras

int main(int argc, char** argv) {
    using namespace sumberlaras;
    const int marks = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
    std::vector<reader::TReaderSettings> books;
    for (int b = 0; b < 3; ++b)
        books.push_back(bookWithMarks(marks, b));

    std::vector<double> snapshot, serialise, write, plain;
    std::size_t bytes = 0;
    const fs::path folder = fs::temp_directory_path() / "journal-bench";
    const reader::JournalFile file(folder / "pending");
    // Returns that wait, handed over with every snapshot.
    reader::Outbox outbox;
    for (int i = 0; i < 4; ++i)
        outbox.addReturn("1", "9" + std::to_string(i), "7", "Buku", 3,
                         reader::returnDocuments(books[0]).annotations, "{}",
                         std::chrono::milliseconds(0));
    for (int r = 0; r < rounds; ++r) {
        auto start = Steady::now();
        std::size_t sink = 0;
        for (const reader::TReaderSettings& s : books) {
            const reader::ReturnDocuments d = reader::returnDocuments(s);
            sink += d.annotations->size() + d.copiedText.size();
        }
        serialise.push_back(msSince(start));

        start = Steady::now();
        std::vector<reader::JournaledBook> journaled;
        for (std::size_t b = 0; b < books.size(); ++b) {
            const reader::ReturnDocuments d = reader::returnDocuments(books[b]);
            journaled.push_back({"1", std::to_string(b), std::to_string(100 + b), "Buku", 12,
                                 d.annotations, d.copiedText});
        }
        std::function<std::string()> handedOver = [journaled = std::move(journaled), outbox] {
            return reader::journalText(journaled, outbox);
        };
        snapshot.push_back(msSince(start));

        start = Steady::now();
        const std::string text = handedOver();
        file.write(text);
        write.push_back(msSince(start));
        bytes = text.size() + sink * 0;

        start = Steady::now();
        {
            std::ofstream out(folder / "plain.json", std::ios::binary | std::ios::trunc);
            out << text;
        }
        plain.push_back(msSince(start));
    }
    fs::remove_all(folder);

    const double snap = bench::median(snapshot), ser = bench::median(serialise);
    const double wr = bench::median(write), pl = bench::median(plain);
    std::printf("journal of 3 books x %d marks: %zu bytes\n", marks, bytes);
    std::printf("snapshot on the UI thread: %.2f ms / return serialisation %.2f ms = %.2f "
                "(goal <= 1.5)\n",
                snap, ser, snap / ser);
    std::printf("journal thread (text, write, sync, rename): %.2f ms / plain write %.2f ms = "
                "%.2f\n",
                wr, pl, wr / pl);
    return 0;
}
