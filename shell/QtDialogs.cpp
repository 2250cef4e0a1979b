#include "QtDialogs.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include "LogCategories.h"

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

} // namespace

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

    qCInfo(lcDialog, "%s: %s", kindName(kind), text.c_str());
    QMessageBox box(icon, title, QString::fromStdString(text), standard, parent_.data());
    box.setTextFormat(Qt::PlainText); // texts from the service are never markup
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
        answer = buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::Cancel;
    }
    qCInfo(lcDialog, "answer: %s", answerName(answer));
    return answer;
}

} // namespace sumberlaras
