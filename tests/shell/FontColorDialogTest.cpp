// The font chooser that also picks the text colour, as the note window uses it.
#include <QCheckBox>
#include <QFontComboBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "shell/FontColorDialog.h"

using namespace sumberlaras;

namespace {

const FontChoice kTahoma{"Tahoma", 8, -16777208};

QPushButton* colourButton(FontColorDialog& d) {
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->accessibleName() == QStringLiteral("Warna huruf"))
            return b;
    return nullptr;
}

TEST(FontColorDialog, WhatTheUserLeftAloneComesBackAsItWas) {
    FontColorDialog d(kTahoma);
    int asked = 0;
    d.pickColorWith([&](uint32_t) -> std::optional<uint32_t> {
        ++asked;
        return std::nullopt; // cancelled
    });
    colourButton(d)->click();
    EXPECT_EQ(asked, 1);
    // A family the machine may lack keeps its name; the window text colour
    // stays a system colour reference.
    EXPECT_EQ(d.choice(), kTahoma);
}

TEST(FontColorDialog, APickedColourSizeAndStyleAreAnswered) {
    FontColorDialog d(kTahoma);
    uint32_t preset = 0;
    d.pickColorWith([&](uint32_t start) -> std::optional<uint32_t> {
        preset = start;
        return 0x0000FFu;
    });
    colourButton(d)->click();
    EXPECT_EQ(preset, 0xFF000008u);
    d.findChild<QSpinBox*>()->setValue(14);
    for (QCheckBox* box : d.findChildren<QCheckBox*>())
        if (box->text() == QStringLiteral("Tebal"))
            box->setChecked(true);
    auto* family = d.findChild<QFontComboBox*>();
    family->setCurrentIndex(family->currentIndex() == 0 ? 1 : 0);
    const FontChoice c = d.choice();
    EXPECT_EQ(c.color, 0x0000FF);
    EXPECT_EQ(c.pointSize, 14);
    EXPECT_TRUE(c.bold);
    EXPECT_FALSE(c.italic);
    EXPECT_EQ(c.family, family->currentFont().family().toStdString());
}

} // namespace
