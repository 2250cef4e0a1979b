#pragma once

#include <functional>
#include <memory>

#include <QLocalServer>
#include <QLockFile>
#include <QString>

namespace sumberlaras {

// One program per data folder. The first start holds a lock beside the data
// folder and listens on a local socket only its user may reach; a later start
// finds the lock taken, asks the first to come to the front, and ends without
// touching anything. A lock left by a program that died is taken over.
class SingleInstance {
public:
    // `dataRoot`: the folder that holds the data folder.
    explicit SingleInstance(const QString& dataRoot);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True for the first start, which then listens.
    bool first() const { return first_; }
    // What the first start does when a later one knocks.
    void onShowRequested(std::function<void()> show);
    // A later start: asks the first to come to the front; true when it was heard.
    bool askFirstToShow() const;

private:
    QString name_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> show_;
    bool first_ = false;
};

} // namespace sumberlaras
