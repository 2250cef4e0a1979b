#include "account/qt/TFormForgotPass.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "account/AccountAnswers.h"
#include "account/AccountPatterns.h"

namespace sumberlaras {

namespace {

QFont sized(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TFormForgotPass::TFormForgotPass(TaskRunner& tasks, Dialogs& dialogs, ForgotPasswordRequest request,
                                 QWidget* parent)
    : QWidget(parent, Qt::Dialog), tasks_(tasks), dialogs_(dialogs), request_(std::move(request)),
      alive_(std::make_shared<bool>(true)) {
    setObjectName("FormForgotPass");
    setWindowTitle("Lupa Kata Sandi");
    setFont(QFont("Segoe UI"));
    setFixedSize(436, 266);

    Label1 = new QLabel("Lupa Kata Sandi?", this);
    Label1->setObjectName("Label1");
    Label1->setFont(sized(font(), 20));
    Label1->move(136, 48);
    Label1->adjustSize();

    Label2 =
        new QLabel("Masukkan email login Anda di bawah ini.\nKami akan mengirimkan pesan email "
                   "beserta tautan untuk reset kata sandi Anda.",
                   this);
    Label2->setObjectName("Label2");
    Label2->setFont(sized(font(), 12));
    Label2->setGeometry(43, 82, 350, 47);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setFont(sized(font(), 14));
    Edit1->setGeometry(104, 146, 225, 26);

    Button1 = new QPushButton("Reset Kata Sandi", this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(104, 187, 225, 25);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    // Enter in the field is the button, and like it does nothing while a request runs.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (Button1->isEnabled())
            Button1Click();
    });
}

TFormForgotPass::~TFormForgotPass() {
    *alive_ = false;
    if (task_)
        task_->cancel();
}

void TFormForgotPass::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && screen())
        move(screen()->availableGeometry().center() - rect().center());
}

void TFormForgotPass::Button1Click() {
    if (task_)
        return;
    const std::string address = Edit1->text().toStdString();
    if (address.empty()) {
        dialogs_.warning("Alamat E-mail wajib diisi");
        Edit1->setFocus();
        return;
    }
    if (!isValidEmail(address)) {
        dialogs_.warning("Format E-mail salah");
        Edit1->setFocus();
        return;
    }
    Button1->setEnabled(false);
    auto answer = std::make_shared<Json>(Json::object());
    TaskSpec spec;
    spec.label = "RequestReset";
    spec.params.set("username", address);
    spec.worker = [request = request_, answer](Task& task) {
        try {
            *answer = request(task.params().text("username"));
        } catch (const std::exception& e) {
            *answer = Json{{"code", "500"}, {"msg", e.what()}};
        }
    };
    spec.onCompleted = [this, alive = std::weak_ptr<bool>(alive_), answer](Task&) {
        if (alive.lock())
            RequestResetTerminated(*answer);
    };
    task_ = tasks_.start(std::move(spec));
}

void TFormForgotPass::RequestResetTerminated(const Json& answer) {
    task_.reset();
    Button1->setEnabled(true);
    const ForgotPasswordVerdict verdict = judgeForgotPassword(answer);
    if (verdict.sent) {
        dialogs_.information(verdict.message);
        close();
        return;
    }
    dialogs_.error(verdict.message);
    Edit1->clear();
    Edit1->setFocus();
}

} // namespace sumberlaras
