#include "shell/QtDialogs.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "base/LogCategories.h"
#include "reader/qt/ColorRef.h"
#include "shell/FontColorDialog.h"

namespace sumberlaras {

namespace {

const char* kindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Error:
        return "error";
    case DialogKind::Warning:
        return "warning";
    case DialogKind::Information:
        return "information";
    case DialogKind::Confirmation:
        return "confirmation";
    }
    return "?";
}

const char* answerName(DialogAnswer a) {
    switch (a) {
    case DialogAnswer::Ok:
        return "OK";
    case DialogAnswer::Cancel:
        return "Cancel";
    case DialogAnswer::Yes:
        return "Yes";
    case DialogAnswer::No:
        return "No";
    }
    return "?";
}

QMessageBox::StandardButton buttonOf(DialogAnswer a) {
    switch (a) {
    case DialogAnswer::Ok:
        return QMessageBox::Ok;
    case DialogAnswer::Cancel:
        return QMessageBox::Cancel;
    case DialogAnswer::Yes:
        return QMessageBox::Yes;
    case DialogAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

} // namespace

std::deque<DialogAnswer> QtDialogs::answersFromText(const std::string& text) {
    std::deque<DialogAnswer> answers;
    for (const QString& word : QString::fromStdString(text).split(u',', Qt::SkipEmptyParts)) {
        const QString w = word.trimmed().toLower();
        if (w == u"ok")
            answers.push_back(DialogAnswer::Ok);
        else if (w == u"cancel")
            answers.push_back(DialogAnswer::Cancel);
        else if (w == u"yes")
            answers.push_back(DialogAnswer::Yes);
        else if (w == u"no")
            answers.push_back(DialogAnswer::No);
    }
    return answers;
}

DialogAnswer QtDialogs::show(DialogKind kind, const std::string& text, DialogButtons buttons) {
    auto* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return showHere(kind, text, buttons);
    DialogAnswer answer = DialogAnswer::Cancel;
    QMetaObject::invokeMethod(
        app, [&] { answer = showHere(kind, text, buttons); }, Qt::BlockingQueuedConnection);
    return answer;
}

DialogAnswer QtDialogs::showHere(DialogKind kind, const std::string& text, DialogButtons buttons) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    switch (kind) {
    case DialogKind::Error:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Kesalahan");
        break;
    case DialogKind::Warning:
        icon = QMessageBox::Warning;
        title = QStringLiteral("Peringatan");
        break;
    case DialogKind::Information:
        icon = QMessageBox::Information;
        title = QStringLiteral("Informasi");
        break;
    case DialogKind::Confirmation:
        icon = QMessageBox::Question;
        title = QStringLiteral("Konfirmasi");
        break;
    }
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == DialogButtons::OkCancel)
        standard = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == DialogButtons::YesNo)
        standard = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == DialogButtons::Yes)
        standard = QMessageBox::Yes;

    qCInfo(lcDialog, "%s: %s", kindName(kind), text.c_str());
    QMessageBox box(icon, title, QString::fromStdString(text), standard, parent_.data());
    box.setTextFormat(Qt::PlainText); // texts from the service are never markup
    if (!scripted_.empty()) {
        const QMessageBox::StandardButton press = buttonOf(scripted_.front());
        scripted_.pop_front();
        // Pressed once the box's own loop runs; an answer it does not offer closes it.
        QTimer::singleShot(0, &box, [&box, press] {
            if (QAbstractButton* b = box.button(press))
                b->click();
            else
                box.reject();
        });
    }
    const int pressed = box.exec();
    DialogAnswer answer = DialogAnswer::Cancel;
    switch (pressed) {
    case QMessageBox::Ok:
        answer = DialogAnswer::Ok;
        break;
    case QMessageBox::Yes:
        answer = DialogAnswer::Yes;
        break;
    case QMessageBox::No:
        answer = DialogAnswer::No;
        break;
    default:
        answer = buttons == DialogButtons::Ok    ? DialogAnswer::Ok
                 : buttons == DialogButtons::Yes ? DialogAnswer::Yes
                                                 : DialogAnswer::Cancel;
    }
    qCInfo(lcDialog, "answer: %s", answerName(answer));
    return answer;
}

namespace {

// "HTML File|*.html|Text|*.txt" as Qt writes it: "HTML File (*.html);;Text (*.txt)".
QString qtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') +
                   QStringLiteral(")");
    return out.join(QStringLiteral(";;"));
}

} // namespace

std::optional<std::string> QtDialogs::saveFileName(const SaveFileQuestion& question) {
    auto* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        std::optional<std::string> chosen;
        QMetaObject::invokeMethod(
            app, [&] { chosen = saveFileName(question); }, Qt::BlockingQueuedConnection);
        return chosen;
    }
    QFileDialog dialog(parent_.data());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(question.defaultExtension));
    dialog.setNameFilter(qtFilter(question.filter));
    qCInfo(lcDialog, "save file: %s", question.filter.c_str());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        qCInfo(lcDialog, "answer: Cancel");
        return std::nullopt;
    }
    const std::string file = dialog.selectedFiles().constFirst().toStdString();
    qCInfo(lcDialog, "answer: %s", file.c_str());
    return file;
}

template <class Answer> Answer QtDialogs::onMainThread(const std::function<Answer()>& ask) {
    auto* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return ask();
    Answer answer{};
    QMetaObject::invokeMethod(
        app, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
    return answer;
}

std::optional<uint32_t> QtDialogs::chooseColor(uint32_t initial) {
    return onMainThread<std::optional<uint32_t>>([&]() -> std::optional<uint32_t> {
        qCInfo(lcDialog, "colour: %06x", initial);
        const QColor c = QColorDialog::getColor(colorOfRef(static_cast<int32_t>(initial)),
                                                parent_.data(), QStringLiteral("Pilih Warna"));
        if (!c.isValid()) {
            qCInfo(lcDialog, "answer: Cancel");
            return std::nullopt;
        }
        qCInfo(lcDialog, "answer: %06x", colorRefOf(c));
        return colorRefOf(c);
    });
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial) {
    return onMainThread<std::optional<FontChoice>>([&]() -> std::optional<FontChoice> {
        qCInfo(lcDialog, "font: %s %d", initial.family.c_str(), initial.pointSize);
        FontColorDialog dialog(initial, parent_.data());
        if (dialog.exec() != QDialog::Accepted) {
            qCInfo(lcDialog, "answer: Cancel");
            return std::nullopt;
        }
        const FontChoice chosen = dialog.choice();
        qCInfo(lcDialog, "answer: %s %d", chosen.family.c_str(), chosen.pointSize);
        return chosen;
    });
}

} // namespace sumberlaras
