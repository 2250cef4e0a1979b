#pragma once

#include <functional>
#include <string>

#include <QDate>
#include <QPointer>
#include <QWidget>

#include "annotations/Note.h"
#include "base/Dialogs.h"

class QPushButton;
class QTextEdit;

namespace sumberlaras {

class TPdfControl;

// The sticky-note window, "My Notes": the reader writes a note placed with the
// note tool. Created once, modeless, hidden and shown again.
class TFormSticky final : public QWidget {
    Q_OBJECT
public:
    // Adds the note to the document of the tab `itemKey` shown in `control`;
    // throws when it cannot.
    using SaveNote = std::function<void(const std::string& itemKey, TPdfControl& control,
                                        const annotations::NoteText& note)>;

    TFormSticky(Dialogs& dialogs, SaveNote save, QWidget* parent = nullptr);

    // The note tool placed a note in `control`, the view of tab `itemKey`: the
    // editor is emptied (its font stays) and the window shown.
    void place(const std::string& itemKey, TPdfControl* control);
    // The book of that tab left it: the window goes without saving.
    void bookClosed(const std::string& itemKey);

    void btnSaveNotesClick();
    void btnSettingsClick();

    // What the editor's font is stored as.
    const FontChoice& noteFont() const { return font_; }
    // Where today's date comes from; the system's unless set.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    std::string ItemKey;
    QPointer<TPdfControl> PDFControl;
    QTextEdit* RichEdit1 = nullptr;
    QPushButton* btnSaveNotes = nullptr;
    QPushButton* btnSettings = nullptr;

private:
    void applyFont();

    Dialogs& dialogs_;
    SaveNote save_;
    FontChoice font_;
    std::function<QDate()> today_ = [] { return QDate::currentDate(); };
};

} // namespace sumberlaras
