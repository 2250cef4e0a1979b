#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "base/Dialogs.h"
#include "base/JsonSlot.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace sumberlaras {

class TPdfControl;

// The note viewer: a borderless window with a note's date and text in its
// font and colour, and a button that deletes the note. Created once, hidden
// and shown again.
class TFormNotes final : public QWidget {
    Q_OBJECT
public:
    // Deletes the note `item` that was at `position` in the document of tab
    // `key`, found again wherever it is now; false when it is gone.
    using DeleteNote =
        std::function<bool(const std::string& key, std::size_t position, const Json& item)>;

    TFormNotes(Dialogs& dialogs, DeleteNote deleteNote, QWidget* parent = nullptr);

    // A double-click opened the note at `position` of tab `key`'s document.
    void showNote(const std::string& key, std::size_t position, TPdfControl* control,
                  const Json& item);
    // The book of that tab left it: the window goes.
    void bookClosed(const std::string& key);

    void Button2Click(); // delete
    void Button1Click() { close(); }

    std::string Key;
    std::size_t IndexArray = 0;
    QPointer<TPdfControl> PDFControl;
    std::string NoteId; // kept with the note; not used
    QLabel* Label1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;

private:
    Dialogs& dialogs_;
    DeleteNote delete_;
    Json item_;
};

} // namespace sumberlaras
