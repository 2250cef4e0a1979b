#pragma once

#include "bench/support/Median.h"

#include <algorithm>
#include <vector>

#include <QEventLoop>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace sumberlaras::bench {

// Turns the event loop until `done` holds, sleeping between events rather than
// spinning, so that the waiting takes no core from the work measured.
template <class Pred> bool spinUntil(Pred done, int limitMs = 30000) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(limitMs);
    loop.exec();
    return done();
}

// A script's result in `view`, or an invalid value after `limitMs`.
inline QVariant js(QWebEngineView* view, const QString& script, int limitMs = 10000) {
    bool done = false;
    QVariant out;
    view->page()->runJavaScript(script, [&](const QVariant& r) {
        out = r;
        done = true;
    });
    spinUntil([&] { return done; }, limitMs);
    return out;
}

} // namespace sumberlaras::bench
