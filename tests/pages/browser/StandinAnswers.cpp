#include "tests/pages/browser/StandinAnswers.h"

#include <memory>

#include <curl/curl.h>

namespace sumberlaras::testing {

namespace {

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

size_t collect(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

std::string encode(CURL* curl, const std::vector<std::pair<std::string, std::string>>& form) {
    std::string body;
    for (const auto& [name, value] : form) {
        char* escaped = curl_easy_escape(curl, value.c_str(), static_cast<int>(value.size()));
        if (!body.empty())
            body += '&';
        body += name + "=" + (escaped ? escaped : "");
        curl_free(escaped);
    }
    return body;
}

} // namespace

StandinAnswers::StandinAnswers(std::string baseUrl, std::string caFile)
    : baseUrl_(std::move(baseUrl)), caFile_(std::move(caFile)) {}

Json StandinAnswers::send(const std::string& method, const std::string& path,
                          const std::string& body) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return Json::object();
    std::unique_ptr<curl_slist, ListDeleter> headers;
    const auto add = [&](const std::string& name, const std::string& value) {
        if (value.empty())
            return;
        curl_slist* next = curl_slist_append(headers.get(), (name + ": " + value).c_str());
        if (next) {
            (void)headers.release();
            headers.reset(next);
        }
    };
    add("CLIENTID", "396");
    add("OS", "WIN");
    add("UUID", uuid_);
    add("KEY", token_);
    add("USERID", userId_);
    add("USERLEVEL", level_);
    std::string answer;
    const std::string url = baseUrl_ + path;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_CAINFO, caFile_.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 20L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer);
    if (method == "POST") {
        curl_easy_setopt(curl.get(), CURLOPT_POST, 1L);
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    }
    if (curl_easy_perform(curl.get()) != CURLE_OK)
        return Json::object();
    Json parsed = Json::parse(answer, nullptr, false);
    return parsed.is_discarded() ? Json::object() : parsed;
}

bool StandinAnswers::login(const std::string& user, const std::string& password) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    const Json answer =
        send("POST", "/api/wl/executeLogin",
             encode(curl.get(), {{"user", user}, {"pass", password}, {"uuid", uuid_}}));
    if (answer.value("code", "") != "200" || !answer.contains("data"))
        return false;
    const Json& data = answer["data"];
    const auto textOf = [&](const char* name) {
        if (!data.contains(name))
            return std::string();
        return data[name].is_string() ? data[name].get<std::string>() : data[name].dump();
    };
    token_ = textOf("token");
    userId_ = textOf("id_user");
    level_ = textOf("level");
    return !token_.empty();
}

Json StandinAnswers::get(const std::string& path) {
    return send("GET", path, {});
}

Json StandinAnswers::post(const std::string& path,
                          const std::vector<std::pair<std::string, std::string>>& form) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    return send("POST", path, encode(curl.get(), form));
}

} // namespace sumberlaras::testing
