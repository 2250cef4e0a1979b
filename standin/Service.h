#pragma once

#include <functional>
#include <string>

#include <httplib.h>

#include "standin/Control.h"
#include "standin/Form.h"
#include "standin/Json.h"
#include "standin/Media.h"
#include "standin/Store.h"
#include "standin/TlsServer.h"

namespace standin {

struct ServiceConfig {
    std::string baseUrl;  // https://127.0.0.1:PORT
    std::string stateDir; // uploads go below it
};

// The lending service's web interface on a TlsServer: the /api/ endpoints,
// the pictures and documents, and the loopback-only /control/ interface.
class Service {
public:
    Service(Store& store, MediaStore& media, ControlState& control, TlsServer& server,
            ServiceConfig config);
    void install();

    enum class Access {
        Open,   // no service headers needed
        Client, // CLIENTID "396"
        Member, // CLIENTID and the headers of a live session
    };

    // One request as the endpoints see it, with the signed-in member if any.
    struct Call {
        const httplib::Request& request;
        std::string userId;
        FormFields fields; // the form body, then the query

        std::string header(const char* name) const;
        bool has(const char* name) const { return findField(fields, name) != nullptr; }
        // A form field that must be present; otherwise a 400 answer.
        std::string required(const char* name) const;
        // A form field that must hold an identifier (decimal digits).
        std::string identifier(const char* name) const;
        // A form field that must hold a whole number.
        int integer(const char* name) const;
    };
    using Endpoint = std::function<void(const Call&, httplib::Response&)>;
    using JsonEndpoint = std::function<Json(const Call&)>;

private:
    void get(const std::string& pattern, Access access, Endpoint endpoint);
    void post(const std::string& pattern, Access access, Endpoint endpoint);
    static Endpoint json(JsonEndpoint endpoint);
    void handle(const httplib::Request& request, httplib::Response& response, Access access,
                const Endpoint& endpoint);
    void logRequest(const httplib::Request& request);
    bool applyFailure(const Failure& failure, httplib::Response& response);
    void stall(httplib::Response& response, int delayMs);
    void serveOversized(httplib::Response& response, const Failure& failure);
    static void sendCodeAsNumber(httplib::Response& response);
    void pause(int ms) const;

    void installControl();
    void installSession();
    void installCatalogue();
    void installReading();
    void installAccount();
    void installFiles();

    Store& store_;
    MediaStore& media_;
    ControlState& control_;
    TlsServer& server_;
    ServiceConfig config_;
};

// {"code": code, "msg": msg}
Json envelope(const std::string& code, const std::string& msg);
void sendJson(httplib::Response& response, const Json& body, int status = 200);

} // namespace standin
