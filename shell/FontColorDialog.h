#pragma once

#include <QDialog>

#include <functional>
#include <optional>

#include "base/Dialogs.h"

class QCheckBox;
class QFontComboBox;
class QLabel;
class QSpinBox;

namespace sumberlaras {

// A font chooser that also picks the text colour, as a note's font carries
// one. The colour comes back unchanged unless the user picks one.
class FontColorDialog final : public QDialog {
    Q_OBJECT
public:
    explicit FontColorDialog(const FontChoice& initial, QWidget* parent = nullptr);
    FontChoice choice() const;

    // Where the colour button asks for a colour; the real chooser unless set.
    void pickColorWith(std::function<std::optional<uint32_t>(uint32_t)> pick) {
        pickColor_ = std::move(pick);
    }
    void pickColor();

private:
    void showPreview();

    FontChoice initial_;
    int32_t color_;
    std::function<std::optional<uint32_t>(uint32_t)> pickColor_;
    QFontComboBox* family_ = nullptr;
    bool familyChanged_ = false;
    QSpinBox* size_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QCheckBox* strikeOut_ = nullptr;
    QLabel* preview_ = nullptr;
};

} // namespace sumberlaras
