#pragma once

#include <string>

namespace sumberlaras {

// What a page generator needs of a browser view: the Qt side wraps a web view,
// tests record the calls.
class BrowserView {
public:
    virtual ~BrowserView() = default;
    virtual void load(const std::string& url) = 0;
    virtual void reload() = 0;
    virtual void runScript(const std::string& script) = 0;
};

} // namespace sumberlaras
