#pragma once

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/service/LibFixture.h"
#include "tests/support/Standin.h"

namespace sumberlaras::testing {

// One stand-in for the whole test program; each test starts with a clean log.
inline Standin& sharedStandin() {
    static std::unique_ptr<Standin> standin = std::make_unique<Standin>();
    return *standin;
}

inline std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// The names of the program's own headers, in the order they left the client.
inline std::vector<std::string> serviceHeaderOrder(const std::string& headerBytes) {
    static const std::vector<std::string> own = {"CLIENTID", "OS",     "UUID",
                                                 "KEY",      "USERID", "USERLEVEL"};
    std::vector<std::string> names;
    size_t start = headerBytes.find("\r\n"); // skip the request line
    while (start != std::string::npos && start + 2 < headerBytes.size()) {
        start += 2;
        const size_t end = headerBytes.find("\r\n", start);
        const std::string line = headerBytes.substr(start, end - start);
        const std::string name = upper(line.substr(0, line.find(':')));
        if (std::find(own.begin(), own.end(), name) != own.end())
            names.push_back(name);
        start = end;
    }
    return names;
}

class WireFixture : public LibFixture {
public:
    WireFixture() {
        Standin& standin = sharedStandin();
        standin.clearLog();
        standin.clearFailures();
        standin.setVersion({{"code", "200"}});
    }

    SawiraLibOptions wired() {
        SawiraLibOptions o = options();
        o.transport->baseUrl = sharedStandin().baseUrl();
        o.transport->caBundle = sharedStandin().caFile();
        o.transport->onSentHeaders = [this](const std::string& bytes) {
            std::lock_guard lock(sentMutex);
            sent.push_back(bytes);
        };
        return o;
    }

    // The last request the stand-in saw.
    Json lastLogged() {
        const Json log = sharedStandin().log();
        return log.empty() ? Json() : log.back();
    }
    std::string lastSentHeaders() {
        std::lock_guard lock(sentMutex);
        return sent.empty() ? std::string() : sent.back();
    }

    std::mutex sentMutex;
    std::vector<std::string> sent;
};

} // namespace sumberlaras::testing
