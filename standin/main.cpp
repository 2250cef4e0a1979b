// sumberlaras-standin: a stand-in for the lending service, on loopback only.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>

#include "standin/Catalogue.h"
#include "standin/Certificates.h"
#include "standin/Control.h"
#include "standin/Media.h"
#include "standin/Service.h"
#include "standin/Store.h"
#include "standin/TlsServer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDefaultPort = 47443;

struct Options {
    std::string stateDir;
    int port = kDefaultPort;
    bool reset = false;
    bool accounts = false;
};

void usage(std::ostream& out) {
    out << "usage: sumberlaras-standin --state DIR [--port N] [--reset]\n"
           "       sumberlaras-standin --accounts\n"
           "  --state DIR  folder for the database, certificates and generated files\n"
           "  --port N     port on 127.0.0.1 (0 picks a free one; default "
        << kDefaultPort
        << ")\n"
           "  --reset      start from freshly seeded data\n"
           "  --accounts   print the demo accounts and exit\n";
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--state") {
            const char* dir = value();
            if (!dir) {
                return false;
            }
            options.stateDir = dir;
        } else if (arg == "--port") {
            const char* port = value();
            char* end = nullptr;
            const long number = port ? std::strtol(port, &end, 10) : -1;
            if (!port || *end != '\0' || number < 0 || number > 65535) {
                return false;
            }
            options.port = static_cast<int>(number);
        } else if (arg == "--reset") {
            options.reset = true;
        } else if (arg == "--accounts") {
            options.accounts = true;
        } else {
            return false;
        }
    }
    return options.accounts || !options.stateDir.empty();
}

void printAccounts() {
    std::cout << "Demo accounts (e-mail / password):\n";
    for (const auto& member : standin::demoCatalogue().members) {
        std::cout << "  " << member.username << " / " << member.password << "  (" << member.nama
                  << ")\n";
    }
}

// Written to a temporary name first, so that a reader never sees half a file.
void writeAtomically(const fs::path& path, const std::string& text) {
    const fs::path partial = path.string() + ".part";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << text << "\n";
    }
    fs::rename(partial, path);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        usage(std::cerr);
        return 2;
    }
    if (options.accounts) {
        printAccounts();
        return 0;
    }

    // Signals are taken by one thread with sigwait; the others never see them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        const fs::path state = fs::absolute(options.stateDir);
        fs::create_directories(state);
        fs::remove(state / "ready");
        fs::remove(state / "port");
        if (options.reset) {
            fs::remove_all(state / "media");
            fs::remove_all(state / "uploads");
        }

        const standin::TlsMaterial tls = standin::ensureCertificates(state.string());
        standin::Store store((state / "standin.sqlite").string(), options.reset);
        standin::MediaStore media((state / "media").string());
        standin::ControlState control;
        standin::TlsServer server(tls.certificatePem, tls.keyPem);
        if (!server.is_valid()) {
            std::cerr << "standin: the TLS certificate could not be loaded\n";
            return 1;
        }

        int port = options.port;
        if (port == 0) {
            port = server.bind_to_any_port("127.0.0.1");
        } else if (!server.bind_to_port("127.0.0.1", port)) {
            port = -1;
        }
        if (port <= 0) {
            std::cerr << "standin: cannot listen on 127.0.0.1:" << options.port << "\n";
            return 1;
        }
        const std::string baseUrl = "https://127.0.0.1:" + std::to_string(port);
        standin::Service service(store, media, control, server, {baseUrl, state.string()});
        service.install();

        std::thread signalWatcher([&server, stopSignals] {
            int received = 0;
            sigwait(&stopSignals, &received);
            server.beginShutdown();
            server.stop();
        });

        writeAtomically(state / "port", std::to_string(port));
        std::cout << "Sumberlaras stand-in listening on " << baseUrl << "\n"
                  << "Trust this CA file: " << (state / "ca.pem").string() << "\n";
        printAccounts();
        std::cout.flush();
        writeAtomically(state / "ready", baseUrl);

        server.listen_after_bind();

        // listen_after_bind also returns when accepting fails; make the
        // watcher finish in every case.
        if (!server.stopping()) {
            server.beginShutdown();
            pthread_kill(signalWatcher.native_handle(), SIGTERM);
        }
        signalWatcher.join();
        std::error_code ignored;
        fs::remove(state / "ready", ignored);
        fs::remove(state / "port", ignored);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "standin: " << error.what() << "\n";
        return 1;
    }
}
