#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include <QPoint>
#include <QWidget>

#include "account/HttpFetch.h"
#include "account/RegionList.h"
#include "account/qt/RegistrasiControls.h"
#include "account/RegistrationEntries.h"
#include "base/Dialogs.h"
#include "base/JsonSlot.h"
#include "base/Tasks.h"

namespace sumberlaras {

struct RegionAnswerBox;

// The registration window: created once, hidden on close, the region lists
// reloaded on every showing. All requests run as tasks; one at a time.
class TFormRegistrasi : public QWidget {
    Q_OBJECT
public:
    // `clientJson` is the partner configuration (occupations); `baseUrl` the
    // service's address; `fetch` sends one request (transportFetch in production).
    TFormRegistrasi(TaskRunner& tasks, Dialogs& dialogs, const JsonSlot& clientJson,
                    std::string baseUrl, HttpFetch fetch, QWidget* parent = nullptr);
    ~TFormRegistrasi() override;

    // Returns the chosen file, or empty; the default runs the file dialog.
    using FileChooser = std::function<QString(QWidget* parent)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    const RegistrasiControls& controls() const { return c_; }
    bool requestRunning() const { return RequestTask != nullptr; }
    // The entries as validateInput and the record see them.
    RegistrationEntries entries() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void regionChanged(RegionLevel level);
    void btnKirimClick();
    void pickFile(bool identity);

    void startRegionRequest(RegionLevel level, const std::string& parentId);
    void regionRequestTerminated(RegionLevel level, const RegionAnswerBox& box);
    void fillLevel(RegionLevel level, RegionList list);
    void endChainAt(RegionLevel level);
    bool restartIfSelectionMoved(RegionLevel finished);
    void executeRegisterTerminated(const Json& answer);

    void setRegionsEnabled(bool enabled);
    void setRequestingShown(bool shown);
    bool wheelOverBox(QEvent* event);

    TaskRunner& tasks_;
    Dialogs& dialogs_;
    const JsonSlot& clientJson_;
    std::string baseUrl_;
    HttpFetch fetch_;
    FileChooser chooseFile_;
    RegistrasiControls c_;

    // provinsiDict, kotaDict, kecamatanDict, kelurahanDict
    std::array<RegionList, 4> regionDicts_;
    // The name at each level whose identifier the level below was loaded for.
    std::array<std::string, 4> loadedFor_;
    TaskHandle RequestTask;
    bool registering_ = false;
    std::shared_ptr<std::atomic<bool>> SignalCancelled;
    std::shared_ptr<bool> alive_;
    QPoint dragFrom_;
};

} // namespace sumberlaras
