#include "service/DataFolder.h"

#include <QStandardPaths>

namespace sumberlaras {

std::string platformDataRoot() {
    std::string root =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

} // namespace sumberlaras
