#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QWidget>

#include "base/Dialogs.h"
#include "base/JsonSlot.h"
#include "base/Tasks.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace sumberlaras {

// The password-reset window: created once, hidden on close; the address
// stays in the field between showings unless a failed request emptied it.
class TFormForgotPass : public QWidget {
    Q_OBJECT
public:
    // Sends the reset request for one address; never throws (in production
    // TSawiraLib::ForgotPasswordRequest).
    using ForgotPasswordRequest = std::function<Json(const std::string& username)>;

    TFormForgotPass(TaskRunner& tasks, Dialogs& dialogs, ForgotPasswordRequest request,
                    QWidget* parent = nullptr);
    ~TFormForgotPass() override;

    QLineEdit* edit() const { return Edit1; }
    QPushButton* button() const { return Button1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    void RequestResetTerminated(const Json& answer);

    TaskRunner& tasks_;
    Dialogs& dialogs_;
    ForgotPasswordRequest request_;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    TaskHandle task_;
    std::shared_ptr<bool> alive_;
};

} // namespace sumberlaras
