#pragma once

#include <array>
#include <cstdint>

#include <QWidget>

#include "annotations/Colours.h"
#include "base/Dialogs.h"

class QFrame;
class QPushButton;

namespace sumberlaras {

// The colour settings: a swatch and a chooser for the highlighter, the
// rectangle and the pen. Created once, modeless, hidden and shown again.
class TFormAnnotSettings final : public QWidget {
    Q_OBJECT
public:
    enum Row { Highlighter, Rectangle, Ink };

    TFormAnnotSettings(annotations::ToolColours& colours, Dialogs& dialogs,
                       QWidget* parent = nullptr);

    void showCentred();
    // Picks a colour for the row, preset with its tool's colour: the swatch
    // takes it, and the rectangle and pen take it at once.
    void btnColorClick(Row row);
    // Every swatch becomes its tool's colour.
    void btnSimpanClick();
    // Closes; what took effect at once stays, the swatches are not applied.
    void btnCloseClick() { close(); }

    uint32_t swatch(Row row) const { return swatches_[row]; }
    QFrame* shape(Row row) const { return shapes_[row]; }
    QPushButton* colorButton(Row row) const { return buttons_[row]; }
    QPushButton* btnSimpan = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void paintSwatch(Row row);

    annotations::ToolColours& colours_;
    Dialogs& dialogs_;
    // The design colours: they do not follow the tool colours.
    std::array<uint32_t, 3> swatches_{7727856, 0x0000FF, 0x0000FF};
    std::array<QFrame*, 3> shapes_{};
    std::array<QPushButton*, 3> buttons_{};
};

} // namespace sumberlaras
