#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

#include <nlohmann/json.hpp>

namespace sumberlaras::testing {

// Runs the stand-in service for one test: a fresh temporary state folder, an
// ephemeral port, stopped (and the folder removed) in the destructor.
// Throws std::runtime_error when the service does not come up.
class Standin {
public:
    using Json = nlohmann::ordered_json;

    // With an empty stateDir a fresh temporary folder is made and removed at
    // the end; a given folder is kept (restart tests reuse one). `port` 0
    // takes any free port; naming one starts a stand-in again where it was.
    explicit Standin(std::string stateDir = {}, bool reset = false, int port = 0);
    // A stand-in another process runs: controlled, never stopped from here.
    struct Running {
        std::string baseUrl;
        std::string stateDir;
    };
    explicit Standin(Running running);
    // The stand-in a parent test process named in SUMBERLARAS_STANDIN_RUNNING
    // ("URL STATEDIR"), for a program it starts and kills; a fresh one otherwise.
    static Standin forThisProcess();
    // The text that names this stand-in to a child process.
    std::string runningText() const { return baseUrl_ + " " + stateDir_; }
    ~Standin();
    Standin(const Standin&) = delete;
    Standin& operator=(const Standin&) = delete;

    // "https://127.0.0.1:PORT", no trailing slash.
    const std::string& baseUrl() const { return baseUrl_; }
    // The CA certificate a client must trust.
    std::string caFile() const { return stateDir_ + "/ca.pem"; }
    const std::string& stateDir() const { return stateDir_; }
    int port() const { return port_; }

    // {"code":"200"} | {"code":"300","url":...} | {"code":"403","msg":...}
    void setVersion(const Json& verdict);
    // The next `count` requests to `path` fail in `mode` (http500, http404,
    // empty, array, html, broken, delay, stall, drop, numeric).
    void failNext(const std::string& path, const std::string& mode, int count = 1, int delayMs = 0);
    // The next request to `path` gets a document of `bytes` bytes, with its
    // length announced or (chunked) not.
    void serveOversized(const std::string& path, int64_t bytes, bool announceLength);
    void clearFailures();
    // Every later answer to `path` gets these member values wherever its
    // objects hold those members.
    void rewrite(const std::string& path, const Json& members);
    // Requests received so far, in order: method, path, query,
    // headers [[name, value], ...], body, content_type.
    Json log() const;
    void clearLog();

    // Points SUMBERLARAS_SERVICE_URL and SUMBERLARAS_CA_BUNDLE at this service.
    void exportEnvironment() const;

    // Stops the process (SIGTERM, then waits); safe to call twice.
    void stop();

private:
    std::string control(const std::string& method, const std::string& path,
                        const std::string& body) const;

    std::string stateDir_;
    bool ownsStateDir_ = false;
    std::string baseUrl_;
    int port_ = 0;
    pid_t pid_ = -1;
};

} // namespace sumberlaras::testing
