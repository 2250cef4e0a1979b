#pragma once

#include <QLoggingCategory>

// Silent by default; switch on with e.g. QT_LOGGING_RULES="sumberlaras.*.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcDialog)
Q_DECLARE_LOGGING_CATEGORY(lcBridge)
Q_DECLARE_LOGGING_CATEGORY(lcNet)
Q_DECLARE_LOGGING_CATEGORY(lcReader)
Q_DECLARE_LOGGING_CATEGORY(lcShell)
