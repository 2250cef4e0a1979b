#include "base/LogCategories.h"

Q_LOGGING_CATEGORY(lcDialog, "sumberlaras.dialog", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBridge, "sumberlaras.bridge", QtWarningMsg)
Q_LOGGING_CATEGORY(lcNet, "sumberlaras.net", QtWarningMsg)
Q_LOGGING_CATEGORY(lcReader, "sumberlaras.reader", QtWarningMsg)
Q_LOGGING_CATEGORY(lcShell, "sumberlaras.shell", QtWarningMsg)
