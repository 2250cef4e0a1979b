#include "account/qt/RegistrasiControls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QVBoxLayout>

namespace sumberlaras {

namespace {

const char* const kRequestingData = "( Requesting Data... )";
const char* const kEmailHint = "E-mail ini digunakan untuk mengakses akun perpustakaan anda";
const char* const kPasswordHint = "Kata sandi yang digunakan untuk mengakses perpustakaan ini";

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QComboBox* dropDown(const char* name, QWidget* parent) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(false);
    // Long entries ("Sekolah Menengah Pertama / Sederajat") must not widen the box.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    // Wheel events belong to the scroll box, not to whichever list is under the pointer.
    combo->setFocusPolicy(Qt::StrongFocus);
    return combo;
}

QScrollArea* scrollBox(const char* name, QWidget* form, QRect geometry, QWidget*& content,
                       QVBoxLayout*& layout) {
    auto* box = named(new QScrollArea(form), name);
    box->setGeometry(geometry);
    box->setFrameShape(QFrame::NoFrame);
    box->setWidgetResizable(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    content = new QWidget(box);
    layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 8, 8);
    layout->setSpacing(4);
    box->setWidget(content);
    return box;
}

void addRow(QVBoxLayout* layout, QWidget* label, QWidget* control) {
    layout->addSpacing(6);
    layout->addWidget(label);
    layout->addWidget(control);
}

QWidget* pathRow(QWidget* parent, QLineEdit* edit, QPushButton* button) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    edit->setReadOnly(true);
    button->setFixedWidth(32);
    h->addWidget(edit);
    h->addWidget(button);
    return row;
}

void fillFixedLists(RegistrasiControls& c) {
    c.cmbKTP->addItems({"KTP", "SIM", "Kartu Pelajar", "Lainnya"});
    c.cmbKTP->setCurrentIndex(0);
    // Some entries end in a blank; the service stores the texts as they are.
    c.cmbPendidikan->addItems({"Sekolah Dasar / Sederajat", "Sekolah Menengah Pertama / Sederajat",
                               "Sekolah Menengah Atas / Sederajat ", "Diploma 1 ", "Diploma 2",
                               "Diploma 3", "Diploma 4", "Politeknik", "Strata 1 ", "Strata 2",
                               "Strata 3"});
    c.cmbPendidikan->setCurrentIndex(-1);
}

void buildTitleBar(RegistrasiControls& c, QWidget* form) {
    c.Panel1 = named(new QWidget(form), "Panel1");
    c.Panel1->setGeometry(0, 0, 785, 27);
    c.Panel1->setAutoFillBackground(true);
    QPalette black = c.Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::ButtonText, Qt::white);
    c.Panel1->setPalette(black);

    const bool iconFont = QFontDatabase::families().contains("Font Awesome 5 Free");
    c.btnClose = named(new QPushButton(c.Panel1), "btnClose");
    c.btnClose->setFlat(true);
    c.btnClose->setGeometry(785 - 27, 0, 27, 27);
    c.btnClose->setText(iconFont ? QString(QChar(0xF057)) : QString(QChar(0x2715)));
    if (iconFont) {
        QFont glyph("Font Awesome 5 Free");
        glyph.setStyleName("Solid");
        glyph.setPixelSize(15);
        c.btnClose->setFont(glyph);
    }
    c.btnClose->setStyleSheet("QPushButton { color: white; border: none; }");
}

void buildLeftBox(RegistrasiControls& c, QWidget* form) {
    QWidget* box = nullptr;
    QVBoxLayout* l = nullptr;
    c.ScrollBox1 = scrollBox("ScrollBox1", form, QRect(16, 99, 401, 326), box, l);

    c.edName = named(new QLineEdit(box), "edName");
    addRow(l, caption("Nama Lengkap", box), c.edName);

    auto* gender = new QWidget(box);
    auto* g = new QHBoxLayout(gender);
    g->setContentsMargins(0, 0, 0, 0);
    c.rdPria = named(new QRadioButton("Pria", gender), "rdPria");
    c.rdWanita = named(new QRadioButton("Wanita", gender), "rdWanita");
    c.rdPria->setChecked(true);
    g->addWidget(c.rdPria);
    g->addWidget(c.rdWanita);
    g->addStretch();
    addRow(l, caption("Jenis Kelamin", box), gender);

    c.edNoIdent = named(new QLineEdit(box), "edNoIdent");
    addRow(l, caption("No. Identitas", box), c.edNoIdent);
    c.cmbKTP = dropDown("cmbKTP", box);
    addRow(l, caption("Jenis Identitas", box), c.cmbKTP);
    c.edKotaLahir = named(new QLineEdit(box), "edKotaLahir");
    addRow(l, caption("Tempat Lahir", box), c.edKotaLahir);

    c.dateTglLahir = named(new QDateEdit(QDate(1990, 1, 1), box), "dateTglLahir");
    c.dateTglLahir->setCalendarPopup(true);
    c.dateTglLahir->setDisplayFormat("dd/MM/yyyy");
    addRow(l, caption("Tanggal Lahir", box), c.dateTglLahir);

    c.edAlamat = named(new QPlainTextEdit(box), "edAlamat");
    c.edAlamat->setFixedSize(360, 94);
    addRow(l, caption("Alamat Lengkap", box), c.edAlamat);

    const char* regionCaptions[] = {"Provinsi", "Kota", "Kecamatan", "Kelurahan"};
    const char* regionNames[] = {"cmbProvinsi", "cmbKota", "cmbKecamatan", "cmbKelurahan"};
    const char* labelNames[] = {"Label1", "Label2", "Label3", "Label4"};
    for (int i = 0; i < 4; ++i) {
        auto* heading = new QWidget(box);
        auto* h = new QHBoxLayout(heading);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(caption(regionCaptions[i], heading));
        c.requestingLabels[i] = named(new QLabel(kRequestingData, heading), labelNames[i]);
        h->addWidget(c.requestingLabels[i]);
        h->addStretch();
        c.regions[i] = dropDown(regionNames[i], box);
        addRow(l, heading, c.regions[i]);
    }
    l->addStretch();
}

void buildRightBox(RegistrasiControls& c, QWidget* form) {
    QWidget* box = nullptr;
    QVBoxLayout* l = nullptr;
    c.ScrollBox2 = scrollBox("ScrollBox2", form, QRect(431, 99, 338, 326), box, l);

    auto* emailCaption = caption("E-mail", box);
    emailCaption->setToolTip(kEmailHint);
    c.edEmail = named(new QLineEdit(box), "edEmail");
    c.edEmail->setToolTip(kEmailHint);
    addRow(l, emailCaption, c.edEmail);

    c.edTelepon = named(new QLineEdit(box), "edTelepon");
    c.edTelepon->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), c.edTelepon));
    addRow(l, caption("No. Telepon/Handphone", box), c.edTelepon);

    // Shown as "*" like the service's other forms, not as bullets.
    const char* starEcho = "QLineEdit { lineedit-password-character: 42; }";
    c.edPass1 = named(new QLineEdit(box), "edPass1");
    c.edPass1->setEchoMode(QLineEdit::Password);
    c.edPass1->setStyleSheet(starEcho);
    c.edPass1->setToolTip(kPasswordHint);
    addRow(l, caption("Kata Sandi", box), c.edPass1);
    // Its hint "Ketik ulang kata sandi anda" is deliberately not displayed.
    c.edPass2 = named(new QLineEdit(box), "edPass2");
    c.edPass2->setEchoMode(QLineEdit::Password);
    c.edPass2->setStyleSheet(starEcho);
    addRow(l, caption("Ketik Ulang Kata Sandi", box), c.edPass2);

    c.edInstansi = named(new QLineEdit(box), "edInstansi");
    addRow(l, caption("Asal Instansi/Sekolah", box), c.edInstansi);
    c.cmbPendidikan = dropDown("cmbPendidikan", box);
    addRow(l, caption("Pendidikan Terakhir", box), c.cmbPendidikan);
    c.cmbPekerjaan = dropDown("cmbPekerjaan", box);
    addRow(l, caption("Pekerjaan", box), c.cmbPekerjaan);

    c.edFoto = named(new QLineEdit(box), "edFoto");
    c.btnFoto = named(new QPushButton("...", box), "btnFoto");
    addRow(l, caption("Upload Foto Tanda Pengenal", box), pathRow(box, c.edFoto, c.btnFoto));
    c.edFotoProfil = named(new QLineEdit(box), "edFotoProfil");
    c.btnFotoProfil = named(new QPushButton("...", box), "btnFotoProfil");
    addRow(l, caption("Foto Profil", box), pathRow(box, c.edFotoProfil, c.btnFotoProfil));
    l->addStretch();
}

} // namespace

RegistrasiControls RegistrasiControls::create(QWidget* form) {
    RegistrasiControls c;
    buildTitleBar(c, form);

    c.LabelJudul = named(new QLabel("Registrasi Akun Keanggotaan Anda", form), "LabelJudul");
    c.LabelJudul->setGeometry(16, 48, 500, 17);
    QFont heading = c.LabelJudul->font();
    heading.setBold(true);
    c.LabelJudul->setFont(heading);

    auto* topRule = new QFrame(form);
    topRule->setFrameShape(QFrame::HLine);
    topRule->setFrameShadow(QFrame::Sunken);
    topRule->setGeometry(16, 80, 753, 2);
    auto* middleRule = new QFrame(form);
    middleRule->setFrameShape(QFrame::VLine);
    middleRule->setFrameShadow(QFrame::Sunken);
    middleRule->setGeometry(423, 99, 2, 326);

    buildLeftBox(c, form);
    buildRightBox(c, form);
    fillFixedLists(c);

    c.Label21 = named(
        new QLabel("Data - data yang anda isikan dihalaman ini akan digunakan untuk kepentingan "
                   "analisa dan laporan data statistik terkait minat baca masyarakat, beserta "
                   "bidang baca yang diminati oleh sebagian besar pembaca, sehingga kami dapat "
                   "memberikan layanan yang lebih baik lagi untuk anda.",
                   form),
        "Label21");
    c.Label21->setGeometry(16, 433, 385, 55);
    c.Label21->setWordWrap(true);
    QFont note = c.Label21->font();
    note.setItalic(true);
    note.setPixelSize(10);
    c.Label21->setFont(note);

    c.btnKirim = named(new QPushButton("Kirim Registrasi*", form), "btnKirim");
    c.btnKirim->setGeometry(645, 449, 124, 32);
    return c;
}

} // namespace sumberlaras
