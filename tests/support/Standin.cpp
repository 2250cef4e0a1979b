#include "tests/support/Standin.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include <curl/curl.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sumberlaras::testing {
namespace {

namespace fs = std::filesystem;

std::string standinExecutable() {
    if (const char* path = std::getenv("SUMBERLARAS_STANDIN"); path && *path) {
        return path;
    }
#ifdef SUMBERLARAS_STANDIN_EXE
    return SUMBERLARAS_STANDIN_EXE;
#else
    throw std::runtime_error("the stand-in executable is not part of this build");
#endif
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

size_t appendBody(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

Standin::Standin(std::string stateDir, bool reset, int port) : stateDir_(std::move(stateDir)) {
    if (stateDir_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "standin-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a state folder for the stand-in");
        }
        stateDir_ = pattern;
        ownsStateDir_ = true;
    }
    fs::create_directories(stateDir_);
    fs::remove(fs::path(stateDir_) / "ready");
    fs::remove(fs::path(stateDir_) / "port");

    const std::string exe = standinExecutable();
    std::vector<std::string> args{exe, "--state", stateDir_, "--port", std::to_string(port)};
    if (reset) {
        args.push_back("--reset");
    }
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    // The service's own output goes to a file beside its state, out of the test's output.
    const std::string output = stateDir_ + "/standin.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int spawned = posix_spawn(&pid_, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + exe);
    }

    const auto ready = fs::path(stateDir_) / "ready";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(ready)) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the stand-in exited before it was ready: " +
                                     readFile(fs::path(stateDir_) / "standin.log"));
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stop();
            throw std::runtime_error("the stand-in did not become ready");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    baseUrl_ = readFile(ready);
    while (!baseUrl_.empty() && (baseUrl_.back() == '\n' || baseUrl_.back() == '\r')) {
        baseUrl_.pop_back();
    }
    port_ = std::stoi(readFile(fs::path(stateDir_) / "port"));
}

Standin::Standin(Running running)
    : stateDir_(std::move(running.stateDir)), baseUrl_(std::move(running.baseUrl)) {
    const std::size_t colon = baseUrl_.rfind(':');
    port_ = colon == std::string::npos ? 0 : std::stoi(baseUrl_.substr(colon + 1));
}

Standin Standin::forThisProcess() {
    const char* running = std::getenv("SUMBERLARAS_STANDIN_RUNNING");
    if (!running || !*running)
        return Standin();
    const std::string text = running;
    const std::size_t space = text.find(' ');
    if (space == std::string::npos)
        throw std::runtime_error("SUMBERLARAS_STANDIN_RUNNING is not \"URL STATEDIR\"");
    return Standin(Running{text.substr(0, space), text.substr(space + 1)});
}

Standin::~Standin() {
    stop();
    if (ownsStateDir_) {
        std::error_code ignored;
        fs::remove_all(stateDir_, ignored);
    }
}

void Standin::stop() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
}

std::string Standin::control(const std::string& method, const std::string& path,
                             const std::string& body) const {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        throw std::runtime_error("curl_easy_init failed");
    }
    std::unique_ptr<curl_slist, SlistDeleter> headers(
        curl_slist_append(nullptr, "Content-Type: application/json"));
    const std::string url = baseUrl_ + path;
    const std::string ca = caFile();
    std::string answer;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_CUSTOMREQUEST, method.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 20L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);
    if (method == "POST") {
        curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    }
    const CURLcode result = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (result != CURLE_OK || status != 200) {
        throw std::runtime_error("stand-in control " + method + " " + path +
                                 " failed: " + curl_easy_strerror(result) + " status " +
                                 std::to_string(status) + " " + answer);
    }
    return answer;
}

void Standin::setVersion(const Json& verdict) {
    control("POST", "/control/version", verdict.dump());
}

void Standin::failNext(const std::string& path, const std::string& mode, int count, int delayMs) {
    Json request{{"path", path}, {"count", count}, {"mode", mode}, {"delay_ms", delayMs}};
    control("POST", "/control/fail", request.dump());
}

void Standin::serveOversized(const std::string& path, int64_t bytes, bool announceLength) {
    Json request{{"path", path},
                 {"count", 1},
                 {"mode", announceLength ? "oversized" : "oversized-chunked"},
                 {"size", bytes}};
    control("POST", "/control/fail", request.dump());
}

void Standin::rewrite(const std::string& path, const Json& members) {
    control("POST", "/control/rewrite", Json{{"path", path}, {"set", members}}.dump());
}

void Standin::clearFailures() {
    control("POST", "/control/clear-failures", "{}");
}

Standin::Json Standin::log() const {
    return Json::parse(control("GET", "/control/log", {}));
}

void Standin::clearLog() {
    control("DELETE", "/control/log", {});
}

void Standin::exportEnvironment() const {
    setenv("SUMBERLARAS_SERVICE_URL", baseUrl_.c_str(), 1);
    setenv("SUMBERLARAS_CA_BUNDLE", caFile().c_str(), 1);
}

} // namespace sumberlaras::testing
