#include "shell/FontColorDialog.h"

#include "reader/qt/ColorRef.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sumberlaras {

FontColorDialog::FontColorDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent), initial_(initial), color_(initial.color) {
    setWindowTitle(QStringLiteral("Font"));
    pickColor_ = [this](uint32_t start) -> std::optional<uint32_t> {
        const QColor c = QColorDialog::getColor(colorOfRef(static_cast<int32_t>(start)), this,
                                                QStringLiteral("Warna Huruf"));
        if (!c.isValid())
            return std::nullopt;
        return colorRefOf(c);
    };

    family_ = new QFontComboBox(this);
    family_->setCurrentFont(QFont(QString::fromStdString(initial.family)));
    family_->setAccessibleName(QStringLiteral("Jenis huruf"));
    size_ = new QSpinBox(this);
    size_->setRange(1, 200);
    size_->setValue(initial.pointSize);
    size_->setAccessibleName(QStringLiteral("Ukuran huruf"));
    bold_ = new QCheckBox(QStringLiteral("Tebal"), this);
    bold_->setChecked(initial.bold);
    italic_ = new QCheckBox(QStringLiteral("Miring"), this);
    italic_->setChecked(initial.italic);
    underline_ = new QCheckBox(QStringLiteral("Garis bawah"), this);
    underline_->setChecked(initial.underline);
    strikeOut_ = new QCheckBox(QStringLiteral("Coret"), this);
    strikeOut_->setChecked(initial.strikeOut);
    auto* colorButton = new QPushButton(QStringLiteral("Warna..."), this);
    colorButton->setAccessibleName(QStringLiteral("Warna huruf"));
    preview_ = new QLabel(QStringLiteral("AaBbYyZz"), this);
    preview_->setMinimumHeight(48);
    preview_->setAccessibleName(QStringLiteral("Contoh"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Jenis huruf"), family_);
    form->addRow(QStringLiteral("Ukuran"), size_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    for (QWidget* w : {static_cast<QWidget*>(bold_), static_cast<QWidget*>(italic_),
                       static_cast<QWidget*>(underline_), static_cast<QWidget*>(strikeOut_),
                       static_cast<QWidget*>(colorButton), static_cast<QWidget*>(preview_)})
        column->addWidget(w);
    column->addWidget(buttons);

    connect(family_, &QFontComboBox::currentFontChanged, this, [this] {
        familyChanged_ = true;
        showPreview();
    });
    connect(size_, &QSpinBox::valueChanged, this, [this] { showPreview(); });
    for (QCheckBox* box : {bold_, italic_, underline_, strikeOut_})
        connect(box, &QCheckBox::toggled, this, [this] { showPreview(); });
    connect(colorButton, &QPushButton::clicked, this, [this] { pickColor(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showPreview();
}

void FontColorDialog::pickColor() {
    if (const std::optional<uint32_t> c = pickColor_(static_cast<uint32_t>(color_))) {
        color_ = static_cast<int32_t>(*c);
        showPreview();
    }
}

FontChoice FontColorDialog::choice() const {
    FontChoice c;
    // A family this machine lacks stays as it was named unless another is picked.
    c.family = familyChanged_ ? family_->currentFont().family().toStdString() : initial_.family;
    c.pointSize = size_->value();
    c.color = color_;
    c.bold = bold_->isChecked();
    c.italic = italic_->isChecked();
    c.underline = underline_->isChecked();
    c.strikeOut = strikeOut_->isChecked();
    return c;
}

void FontColorDialog::showPreview() {
    QFont f = family_->currentFont();
    f.setPointSize(size_->value());
    f.setBold(bold_->isChecked());
    f.setItalic(italic_->isChecked());
    f.setUnderline(underline_->isChecked());
    f.setStrikeOut(strikeOut_->isChecked());
    preview_->setFont(f);
    QPalette p = preview_->palette();
    p.setColor(QPalette::WindowText, colorOfRef(color_));
    preview_->setPalette(p);
}

} // namespace sumberlaras
