// What a screen reader finds in the main window with a book open.
#include <QAccessible>
#include <QWebEngineView>

#include "tests/shell/ReaderFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

using ReaderAccessibility = ReaderFixture;

struct Spoken {
    QString name;
    QAccessible::Role role;
    bool checkable;
    bool checked;
};

bool isControl(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

// A combo box's own name on Linux is the item it shows; a screen reader
// speaks the label it is the buddy of.
QString spokenName(QAccessibleInterface* iface) {
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        if (!labels.isEmpty())
            return labels.front().first->text(QAccessible::Name);
    }
    return iface->text(QAccessible::Name);
}

// Every control under `iface`, the web pages' own trees left out.
void walk(QAccessibleInterface* iface, std::vector<Spoken>& out) {
    if (!iface || qobject_cast<QWebEngineView*>(iface->object()))
        return;
    if (iface->state().invisible)
        return;
    if (isControl(iface->role()))
        out.push_back({spokenName(iface), iface->role(), bool(iface->state().checkable),
                       bool(iface->state().checked)});
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), out);
}

bool privateUse(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF)
            return true;
    return false;
}

TEST_F(ReaderAccessibility, EveryControlHasANameAndNoneIsAGlyph) {
    signedIn();
    ASSERT_TRUE(openFromDetail(kLongBook));
    const QString title = QString::fromStdString(reader().readDict.at(kLongBook).judul);
    control<QToolButton>("btnAnnotDelete")->click();

    std::vector<Spoken> controls;
    walk(QAccessible::queryAccessibleInterface(main.get()), controls);
    ASSERT_FALSE(controls.empty());
    for (const Spoken& c : controls) {
        EXPECT_FALSE(c.name.trimmed().isEmpty()) << "a control of role " << c.role;
        EXPECT_FALSE(privateUse(c.name)) << c.name.toStdString();
    }
    auto find = [&](const QString& name) -> const Spoken* {
        for (const Spoken& c : controls)
            if (c.name == name)
                return &c;
        return nullptr;
    };
    const char* names[] = {"Daftar Buku",
                           "Reader Buku",
                           "Bantuan",
                           "Tentang Aplikasi",
                           "Ke Halaman Sebelumnya",
                           "Ke Halaman Selanjutnya",
                           "Navigasi Halaman",
                           "Ubah Perbesaran Halaman",
                           "Otomatis",
                           "Tampilkan Anotasi",
                           "Aktifkan Pemilihan Teks",
                           "Tutup Buku Dan Kembalikan Ke Rak",
                           "Info Buku dan Daftar Pustaka",
                           "Aktifkan Mode Highlight",
                           "Aktifkan Anotasi Kotak",
                           "Aktifkan Anotasi Pulpen",
                           "Aktifkan Anotasi Komentar",
                           "Hapus Anotasi Yang Telah Dibuat ( Dobel Klik Pada Anotasi)",
                           "Setting Warna Anotasi",
                           "Lakukan Pencarian Kata",
                           "Pencarian Sebelumnya",
                           "Pencarian Berikutnya"};
    for (const char* name : names)
        EXPECT_TRUE(find(QString::fromUtf8(name))) << name;
    const Spoken* tab = nullptr;
    for (const Spoken& c : controls)
        if (c.role == QAccessible::PageTab && c.name == title)
            tab = &c;
    EXPECT_TRUE(tab) << "the book's tab speaks its title";
    EXPECT_EQ(view(0)->accessibleName(), title);

    const Spoken* erase =
        find(QStringLiteral("Hapus Anotasi Yang Telah Dibuat ( Dobel Klik Pada Anotasi)"));
    ASSERT_TRUE(erase);
    EXPECT_TRUE(erase->checkable);
    EXPECT_TRUE(erase->checked) << "a mode that is on is spoken as checked";
    const Spoken* pen = find(QStringLiteral("Aktifkan Anotasi Pulpen"));
    ASSERT_TRUE(pen);
    EXPECT_FALSE(pen->checked);
}

} // namespace
