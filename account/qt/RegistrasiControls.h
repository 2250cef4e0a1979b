#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QWidget;

namespace sumberlaras {

// The registration window's controls, created and laid out in one place so
// the window class only holds behaviour.
struct RegistrasiControls {
    QWidget* Panel1 = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* LabelJudul = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    QLabel* Label21 = nullptr;
    QPushButton* btnKirim = nullptr;

    QLineEdit* edName = nullptr;
    QRadioButton* rdPria = nullptr;
    QRadioButton* rdWanita = nullptr;
    QLineEdit* edNoIdent = nullptr;
    QComboBox* cmbKTP = nullptr;
    QLineEdit* edKotaLahir = nullptr;
    QDateEdit* dateTglLahir = nullptr;
    QPlainTextEdit* edAlamat = nullptr;
    // Province, city, district, sub-district, with their "( Requesting Data... )" labels.
    std::array<QComboBox*, 4> regions{};
    std::array<QLabel*, 4> requestingLabels{};

    QLineEdit* edEmail = nullptr;
    QLineEdit* edTelepon = nullptr;
    QLineEdit* edPass1 = nullptr;
    QLineEdit* edPass2 = nullptr;
    QLineEdit* edInstansi = nullptr;
    QComboBox* cmbPendidikan = nullptr;
    QComboBox* cmbPekerjaan = nullptr;
    QLineEdit* edFoto = nullptr;
    QPushButton* btnFoto = nullptr;
    QLineEdit* edFotoProfil = nullptr;
    QPushButton* btnFotoProfil = nullptr;

    // Builds every control as a child of `form`.
    static RegistrasiControls create(QWidget* form);
};

} // namespace sumberlaras
