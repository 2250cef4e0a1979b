#pragma once

#include <string>
#include <vector>

#include "pages/BrowserView.h"

namespace sumberlaras::testing {

// Records what a page generator asked of its view.
class RecordingBrowserView final : public BrowserView {
public:
    struct Call {
        enum Kind { Load, Reload, Script } kind;
        std::string text;
    };
    void load(const std::string& url) override { calls.push_back({Call::Load, url}); }
    void reload() override { calls.push_back({Call::Reload, {}}); }
    void runScript(const std::string& script) override { calls.push_back({Call::Script, script}); }

    std::vector<Call> calls;
};

} // namespace sumberlaras::testing
