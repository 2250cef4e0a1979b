#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

#include "base/Clock.h"
#include "base/Ticker.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"
#include "tests/reader/PdfFixtures.h"
#include "tests/reader/session/FakeLoanService.h"
#include "tests/support/ManualTaskRunner.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace sumberlaras::testing {

// Twelve pages with known words on known pages.
inline QByteArray toolsBookPdf() {
    const auto page = [](const QString& text) { return FixturePage{{{text, {72, 100}}}}; };
    return makePdf({
        page(QStringLiteral("Sampul buku")),
        page(QStringLiteral("Kata pengantar")),
        page(QStringLiteral("Daftar isi")),
        page(QStringLiteral("Pengantar ekonomi desa")),
        page(QStringLiteral("Bab satu")),
        page(QStringLiteral("Anak membaca buku")),
        FixturePage{{{QStringLiteral("Baris pertama"), {72, 100}},
                     {QStringLiteral("baris kedua"), {72, 130}}}},
        page(QStringLiteral("Baja Çelik dari Turki")),
        page(QStringLiteral("Pendidikan Anak Usia Dini — edisi ke-2, café")),
        page(QStringLiteral("Ekonomi rakyat")),
        page(QStringLiteral("Penutup")),
        page(QStringLiteral("Akhir")),
    });
}

// The reader face alone, against a recording service, with tasks whose
// messages and completions the test delivers.
class FaceFixture : public ::testing::Test {
protected:
    FaceFixture() { makeFace(); }

    // A face as the program makes one at its start, over the journal the
    // previous one left.
    void makeFace() {
        ReaderLinks links;
        links.showDetailAgain = [] {};
        links.showLoginAfterAuthFailure = [] {};
        links.showBehindReader = [](int) {};
        links.bringReaderToFront = [] {};
        links.showBookInfo = [this](int tab, const reader::TDetailBook& book) {
            infoShown.emplace_back(tab, book.id);
            if (onShowInfo)
                onShowInfo(tab, book);
        };
        links.openFile = [this](const QString& path) { openedFiles.push_back(path); };
        links.bookClosed = [this](int tab) {
            closedTabs.push_back(tab);
            if (onBookClosed)
                onBookClosed(tab);
        };
        face = std::make_unique<ReaderFace>(ReaderDeps{
            service, dialogs, tasks,
            ReaderGlobals{readCount, PageToJump, KalimatPencarian, ReadFromSearch, ReadFromChart,
                          RequestCancelled, isOpeningBook, isSearchRunning},
            std::move(links), [] { return std::make_unique<ManualTicker>(); }, &clock,
            journalFolder()});
        face->resize(1000, 700);
        face->show();
    }
    std::string journalFolder() const { return journalRoot.path() + "/pending"; }

    ~FaceFixture() override {
        tasks.finishAll();
        face.reset();
    }

    static Json detailOf(const std::string& id, int romawi = 5) {
        return {{"data",
                 {{"id", id},
                  {"judul", "Ekonomi Desa " + id},
                  {"penulis", "Siti Aminah"},
                  {"penerbit", "Penerbit Laras"},
                  {"tahun_terbit", "2017"},
                  {"halaman_romawi", romawi},
                  {"mla_style", "Aminah, Siti. Ekonomi Desa " + id + ". 2017."},
                  {"chicago_style", "Aminah, Siti. Ekonomi Desa " + id + "."},
                  {"turabian_style", "T"},
                  {"apa_style", "N/A"},
                  {"harvard_style", "H"},
                  {"ieee_style", "I"},
                  {"halaman_total", 12}}}};
    }

    // Opens the book in the next free tab and makes it the active one;
    // returns the tab's index.
    int open(const std::string& id, const QByteArray& pdf, int romawi = 5) {
        service.permissionAnswer = {
            {"code", "200"}, {"id_baca", "baca-" + id}, {"page_index", 0}, {"file_anotasi", "0"}};
        face->openBook(std::make_shared<std::string>(pdf.toStdString()),
                       std::make_shared<Json>(detailOf(id, romawi)));
        tasks.finishAll();
        return face->activeIndex();
    }

    TPdfControl* view(int tab) const { return face->tab(tab).view; }
    TPdfControl* activeView() const { return view(face->activeIndex()); }
    template <class W> W* control(const char* name) const {
        return face->findChild<W*>(QString::fromLatin1(name));
    }
    QLineEdit* searchBox() const { return control<QLineEdit>("edSearch"); }
    void click(const char* button) { control<QToolButton>(button)->click(); }

    TempFolder folder;
    TempFolder journalRoot; // outside the data folder, as in the program
    reader::testing::FakeLoanService service{folder.path()};
    ScriptedDialogs dialogs;
    ManualTaskRunner tasks;
    ManualClock clock;
    int32_t readCount = 0;
    int32_t PageToJump = 0;
    std::string KalimatPencarian;
    bool ReadFromSearch = false;
    bool ReadFromChart = false;
    bool RequestCancelled = false;
    bool isOpeningBook = false;
    bool isSearchRunning = false;
    std::vector<std::pair<int, std::string>> infoShown;
    std::vector<int> closedTabs;
    std::vector<QString> openedFiles; // written files the desktop was asked to open
    // Where a test puts the book information window.
    std::function<void(int, const reader::TDetailBook&)> onShowInfo;
    std::function<void(int)> onBookClosed;
    std::unique_ptr<ReaderFace> face;
};

} // namespace sumberlaras::testing
