// Copying a passage with Ctrl+C: the passage and the book's data go to the
// clipboard, and the copy is recorded for the service.
#include <stdexcept>

#include <QClipboard>
#include <QGuiApplication>

#include "bookinfo/CopyText.h"
#include "reader/qt/PdfControl.h"
#include "reader/qt/ReaderFace.h"

namespace sumberlaras {

void ReaderFace::PDFViewKeyUp(TPdfControl* sender, int& key, unsigned shift) {
    if (key != Qt::Key_C || !(shift & ssCtrl) || !sender)
        return;
    try {
        const ReaderTab* tab = tabOfView(sender);
        const int index = tab ? tab->index : -1;
        const reader::TDetailBook* book = bookOfTab(index);
        reader::TReaderSettings* s = settingsOfTab(index);
        if (!book || !s)
            return;
        // The selected characters, lines joined as they are. Read by range, not by
        // rectangle: a rectangle rounded to pixels also takes in its neighbour's
        // letter, and one glyph per rectangle is common.
        QString passage;
        if (TPdfPage* page = sender->CurrentPage()) {
            const std::u16string text = page->ReadText(sender->SelStart(), sender->SelLength());
            passage = QString::fromStdU16String(text);
            passage.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        }
        const std::string label =
            bookinfo::copyPageLabel(sender->PageIndex(), book->halaman_romawi);
        const std::string text = passage.toStdString();
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(bookinfo::clipboardText(*book, label, text)));
        bookinfo::recordCopy(s->TextCopyObject, label, text);
        journalChanged();
    } catch (const std::exception& e) {
        d_.dialogs.error(std::string("Error Exception #2350 : ") + e.what());
    }
}

} // namespace sumberlaras
