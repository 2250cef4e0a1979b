#include "standin/Service.h"

#include "standin/Rewrite.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <thread>

namespace standin {
namespace {

std::string queryOf(const httplib::Request& request) {
    const size_t mark = request.target.find('?');
    return mark == std::string::npos ? "" : request.target.substr(mark + 1);
}

bool fromLoopback(const httplib::Request& request) {
    return request.remote_addr == "127.0.0.1" || request.remote_addr == "::1" ||
           request.remote_addr == "::ffff:127.0.0.1";
}

} // namespace

Json envelope(const std::string& code, const std::string& msg) {
    return Json{{"code", code}, {"msg", msg}};
}

void sendJson(httplib::Response& response, const Json& body, int status) {
    response.status = status;
    response.set_content(body.dump(-1, ' ', false, Json::error_handler_t::replace),
                         "application/json; charset=utf-8");
}

std::string Service::Call::header(const char* name) const {
    return request.get_header_value(name);
}

std::string Service::Call::required(const char* name) const {
    const std::string* value = findField(fields, name);
    if (!value) {
        throw BadRequest{400, std::string("Parameter ") + name + " wajib diisi"};
    }
    return *value;
}

std::string Service::Call::identifier(const char* name) const {
    std::string value = required(name);
    if (!isIdentifier(value)) {
        throw BadRequest{400, std::string("Parameter ") + name + " tidak valid"};
    }
    return value;
}

int Service::Call::integer(const char* name) const {
    const std::string value = required(name);
    size_t digits = value.size() > 0 && value[0] == '-' ? 1 : 0;
    bool ok = value.size() > digits && value.size() - digits <= 9;
    for (size_t i = digits; ok && i < value.size(); ++i) {
        ok = value[i] >= '0' && value[i] <= '9';
    }
    if (!ok) {
        throw BadRequest{400, std::string("Parameter ") + name + " harus berupa angka"};
    }
    return std::stoi(value);
}

Service::Service(Store& store, MediaStore& media, ControlState& control, TlsServer& server,
                 ServiceConfig config)
    : store_(store), media_(media), control_(control), server_(server), config_(std::move(config)) {
}

void Service::install() {
    server_.set_payload_max_length(32 * 1024 * 1024);
    server_.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            sendJson(response, envelope("500", "Kesalahan pada server"), 500);
        });
    // Requests httplib itself refuses (a malformed head, a body too large)
    // still get an envelope.
    server_.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty() && !response.content_provider_ &&
            !currentExchange().dropRequested) {
            sendJson(response,
                     envelope(std::to_string(response.status), "Permintaan tidak dapat diproses"),
                     response.status);
        }
    });
    installControl();
    installSession();
    installCatalogue();
    installReading();
    installAccount();
    installFiles();
    // Anything else: a failure envelope, logged like every other request.
    const Endpoint unknown = [](const Call&, httplib::Response& response) {
        sendJson(response, envelope("404", "Alamat tidak dikenal"), 404);
    };
    get(".*", Access::Open, unknown);
    post(".*", Access::Open, unknown);
    server_.Put(".*", [this, unknown](const httplib::Request& rq, httplib::Response& rs) {
        handle(rq, rs, Access::Open, unknown);
    });
    server_.Delete(".*", [this, unknown](const httplib::Request& rq, httplib::Response& rs) {
        handle(rq, rs, Access::Open, unknown);
    });
}

void Service::get(const std::string& pattern, Access access, Endpoint endpoint) {
    server_.Get(pattern, [this, access, endpoint = std::move(endpoint)](
                             const httplib::Request& request, httplib::Response& response) {
        handle(request, response, access, endpoint);
    });
}

void Service::post(const std::string& pattern, Access access, Endpoint endpoint) {
    server_.Post(pattern, [this, access, endpoint = std::move(endpoint)](
                              const httplib::Request& request, httplib::Response& response) {
        handle(request, response, access, endpoint);
    });
}

Service::Endpoint Service::json(JsonEndpoint endpoint) {
    return [endpoint = std::move(endpoint)](const Call& call, httplib::Response& response) {
        sendJson(response, endpoint(call));
    };
}

void Service::logRequest(const httplib::Request& request) {
    Json headers = Json::array();
    for (const auto& [name, value] : currentExchange().rawHeaders) {
        headers.push_back(Json::array({name, value}));
    }
    Json entry{
        {"method", request.method},  {"path", request.path},
        {"query", queryOf(request)}, {"headers", std::move(headers)},
        {"body", request.body},      {"content_type", request.get_header_value("Content-Type")}};
    if (!request.files.empty()) {
        // httplib hands multipart bodies over as parts, not as bytes.
        Json parts = Json::array();
        for (const auto& [name, part] : request.files) {
            Json item{{"name", part.name},
                      {"filename", part.filename},
                      {"content_type", part.content_type},
                      {"size", part.content.size()}};
            if (part.filename.empty()) {
                item["content"] = part.content;
            }
            parts.push_back(std::move(item));
        }
        entry["parts"] = std::move(parts);
    }
    control_.record(std::move(entry));
}

void Service::pause(int ms) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!server_.stopping() && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// True when the failure replaces the answer entirely.
bool Service::applyFailure(const Failure& failure, httplib::Response& response) {
    switch (failure.mode) {
    case FailureMode::Http500:
        sendJson(response, envelope("500", "Internal Server Error"), 500);
        return true;
    case FailureMode::Http404:
        sendJson(response, envelope("404", "Not Found"), 404);
        return true;
    case FailureMode::Empty:
        response.status = 200;
        response.set_content("", "application/json");
        return true;
    case FailureMode::Array:
        response.status = 200;
        response.set_content(R"([{"code":"200","msg":"OK"}])", "application/json");
        return true;
    case FailureMode::Html:
        response.status = 200;
        response.set_content("<!DOCTYPE html><html><head><title>502 Bad Gateway</title></head>"
                             "<body><h1>Bad Gateway</h1></body></html>",
                             "text/html");
        return true;
    case FailureMode::Broken:
        response.status = 200;
        response.set_content(R"({"code":"200","msg":"OK","data":[{"id_konten":"1)",
                             "application/json");
        return true;
    case FailureMode::Delay:
        pause(failure.delayMs);
        return false;
    case FailureMode::Drop:
        currentExchange().dropRequested = true;
        response.status = 500;
        return true;
    case FailureMode::Stall:
    case FailureMode::Numeric:
        return false;
    case FailureMode::Oversized:
    case FailureMode::OversizedChunked:
        serveOversized(response, failure);
        return true;
    }
    return false;
}

void Service::serveOversized(httplib::Response& response, const Failure& failure) {
    // Made as it is sent, so a document of any size costs the stand-in no memory.
    const auto size = static_cast<size_t>(std::max<int64_t>(failure.size, 0));
    auto fill = [](size_t offset, size_t length, httplib::DataSink& sink) {
        constexpr std::string_view head = "%PDF-1.4\n";
        std::string chunk(std::min<size_t>(length, 64 * 1024), '%');
        for (size_t i = 0; i < chunk.size() && offset + i < head.size(); ++i) {
            chunk[i] = head[offset + i];
        }
        return sink.write(chunk.data(), chunk.size());
    };
    response.status = 200;
    if (failure.mode == FailureMode::Oversized) {
        response.set_content_provider(
            size, "application/pdf",
            [this, fill](size_t offset, size_t length, httplib::DataSink& sink) {
                return !server_.stopping() && fill(offset, length, sink);
            });
        return;
    }
    // Chunked: the client learns the size only by reading it all.
    response.set_chunked_content_provider(
        "application/pdf", [this, fill, size](size_t offset, httplib::DataSink& sink) {
            if (offset >= size) {
                sink.done();
                return true;
            }
            return !server_.stopping() && fill(offset, size - offset, sink);
        });
}

void Service::sendCodeAsNumber(httplib::Response& response) {
    Json body = Json::parse(response.body, nullptr, false);
    if (!body.is_object() || !body.contains("code") || !body["code"].is_string()) {
        return;
    }
    const std::string code = body["code"].get<std::string>();
    if (code.empty() || code.size() > 9 ||
        code.find_first_not_of("0123456789") != std::string::npos) {
        return;
    }
    body["code"] = std::stoi(code);
    sendJson(response, body, response.status);
}

void Service::stall(httplib::Response& response, int delayMs) {
    auto body = std::make_shared<std::string>(std::move(response.body));
    if (body->empty()) {
        body->push_back(' ');
    }
    auto type = response.get_header_value("Content-Type");
    response.body.clear();
    response.set_content_provider(
        body->size(), type.empty() ? "application/json" : type,
        [this, body, delayMs](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset == 0) {
                sink.write(body->data(), body->size() / 2);
            }
            // Then nothing until the delay is over, and the connection closes short.
            pause(delayMs);
            return false;
        });
}

void Service::handle(const httplib::Request& request, httplib::Response& response, Access access,
                     const Endpoint& endpoint) {
    logRequest(request);
    const std::optional<Failure> failure = control_.takeFailure(request.path);
    if (failure && applyFailure(*failure, response)) {
        return;
    }
    Call call{request, {}, {}};
    if (request.get_header_value("Content-Type").rfind("application/x-www-form-urlencoded", 0) ==
        0) {
        call.fields = parseForm(request.body);
    }
    for (auto& field : parseForm(queryOf(request))) {
        call.fields.push_back(std::move(field));
    }
    try {
        if (access != Access::Open && call.header("CLIENTID") != "396") {
            throw BadRequest{403, "CLIENTID tidak dikenal"};
        }
        if (access == Access::Member) {
            const std::string key = call.header("KEY"), user = call.header("USERID");
            const std::string level = call.header("USERLEVEL"), uuid = call.header("UUID");
            if (key.empty() || user.empty() || level.empty() || uuid.empty()) {
                throw BadRequest{401, "Sesi tidak ditemukan, silakan masuk terlebih dahulu"};
            }
            if (!store_.sessionLive(user, key, uuid, level)) {
                // The account was signed in elsewhere (or signed out): the
                // client recognises exactly this answer.
                throw Refusal{"500", "Auth Failed"};
            }
            call.userId = user;
        }
        endpoint(call, response);
    } catch (const Refusal& refusal) {
        sendJson(response, envelope(refusal.code, refusal.msg));
    } catch (const BadRequest& bad) {
        sendJson(response, envelope(std::to_string(bad.status), bad.msg), bad.status);
    } catch (const std::exception& error) {
        sendJson(response, envelope("500", std::string("Kesalahan pada server: ") + error.what()),
                 500);
    }
    if (const Json members = control_.rewriteFor(request.path); !members.empty()) {
        Json body = Json::parse(response.body, nullptr, false);
        if (!body.is_discarded()) {
            rewriteMembers(body, members);
            sendJson(response, body, response.status);
        }
    }
    if (failure && failure->mode == FailureMode::Numeric) {
        sendCodeAsNumber(response);
    }
    if (failure && failure->mode == FailureMode::Stall) {
        stall(response, failure->delayMs);
    }
}

void Service::installControl() {
    // Control requests are neither logged nor subject to planned failures.
    auto guarded = [](auto body) {
        return [body](const httplib::Request& request, httplib::Response& response) {
            if (!fromLoopback(request)) {
                sendJson(response, envelope("403", "Hanya dari komputer ini"), 403);
                return;
            }
            try {
                body(request, response);
            } catch (const std::exception& error) {
                sendJson(response, envelope("400", error.what()), 400);
            }
        };
    };
    auto parsedObject = [](const httplib::Request& request) {
        Json body = Json::parse(request.body);
        if (!body.is_object()) {
            throw std::runtime_error("a JSON object is expected");
        }
        return body;
    };
    server_.Post("/control/version",
                 guarded([this, parsedObject](const httplib::Request& rq, httplib::Response& rs) {
                     Json verdict = parsedObject(rq);
                     if (!verdict.contains("code")) {
                         throw std::runtime_error("\"code\" is missing");
                     }
                     control_.setVersionVerdict(std::move(verdict));
                     sendJson(rs, envelope("200", "OK"));
                 }));
    server_.Get("/control/version", guarded([this](const httplib::Request&, httplib::Response& rs) {
                    sendJson(rs, control_.versionVerdict());
                }));
    server_.Post("/control/fail",
                 guarded([this, parsedObject](const httplib::Request& rq, httplib::Response& rs) {
                     const Json plan = parsedObject(rq);
                     const auto mode = failureModeNamed(plan.value("mode", ""));
                     const std::string path = plan.value("path", "");
                     if (!mode || path.empty() || path[0] != '/') {
                         throw std::runtime_error("\"path\" and a known \"mode\" are required");
                     }
                     control_.planFailures(
                         path,
                         Failure{*mode, plan.value("delay_ms", 0), plan.value("size", int64_t{0})},
                         plan.value("count", 1));
                     sendJson(rs, envelope("200", "OK"));
                 }));
    server_.Post("/control/rewrite",
                 guarded([this](const httplib::Request& rq, httplib::Response& rs) {
                     const Json plan = Json::parse(rq.body);
                     const std::string path = plan.value("path", "");
                     if (path.empty() || path[0] != '/' || !plan.contains("set") ||
                         !plan["set"].is_object()) {
                         throw std::runtime_error("\"path\" and a \"set\" object are required");
                     }
                     control_.setRewrite(path, plan["set"]);
                     sendJson(rs, envelope("200", "OK"));
                 }));
    server_.Post("/control/clear-rewrites",
                 guarded([this](const httplib::Request&, httplib::Response& rs) {
                     control_.clearRewrites();
                     sendJson(rs, envelope("200", "OK"));
                 }));
    server_.Post("/control/clear-failures",
                 guarded([this](const httplib::Request&, httplib::Response& rs) {
                     control_.clearFailures();
                     sendJson(rs, envelope("200", "OK"));
                 }));
    server_.Get("/control/log", guarded([this](const httplib::Request&, httplib::Response& rs) {
                    sendJson(rs, control_.log());
                }));
    server_.Delete("/control/log", guarded([this](const httplib::Request&, httplib::Response& rs) {
                       control_.clearLog();
                       sendJson(rs, envelope("200", "OK"));
                   }));
    server_.Get("/control/stock/(\\d{1,9})",
                guarded([this](const httplib::Request& rq, httplib::Response& rs) {
                    sendJson(rs, Json{{"code", "200"}, {"stok", store_.stock(rq.matches[1])}});
                }));
}

} // namespace standin
