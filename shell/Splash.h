#pragma once

#include <memory>
#include <string>

#include <QWidget>

#include "base/Dialogs.h"
#include "service/SawiraLib.h"
#include "shell/QtTaskRunner.h"

namespace sumberlaras {

// The start-up window: creates the service client on its first showing and
// runs the version check on a task. It owns the client for the whole run.
class TFormSplash final : public QWidget {
    Q_OBJECT
public:
    TFormSplash(Dialogs& dialogs, SawiraLibOptions options = {});
    ~TFormSplash() override;

    TSawiraLib* SawiraLib() const { return sawira_.get(); }
    bool completed() const { return completed_; }
    // The check refused this build (or failed): the program must end.
    bool terminateRequested() const { return terminate_; }
    bool SignalUpdate() const { return signalUpdate_; }
    const std::string& UpdateURL() const { return updateUrl_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormShow();
    Dialogs& dialogs_;
    SawiraLibOptions options_;
    std::unique_ptr<TSawiraLib> sawira_;
    QtTaskRunner runner_{this};
    TaskHandle RequestTask;
    bool shown_ = false;
    bool completed_ = false;
    bool terminate_ = false;
    bool signalUpdate_ = false;
    std::string updateUrl_;
};

} // namespace sumberlaras
