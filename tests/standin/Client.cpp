#include "tests/standin/Client.h"

#include <memory>

#include <gtest/gtest.h>

namespace standin::testing {
namespace {

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct MimeDeleter {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};

size_t append(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

} // namespace

std::string Answer::code() const {
    const Json parsed = json();
    if (!parsed.is_object() || !parsed.contains("code")) {
        return {};
    }
    return parsed["code"].is_string() ? parsed["code"].get<std::string>() : parsed["code"].dump();
}

Answer Client::get(const std::string& path, const HeaderList& headers) const {
    return perform("GET", path, {}, nullptr, headers);
}

Answer Client::postForm(const std::string& path, const std::string& form,
                        const HeaderList& headers) const {
    HeaderList all = headers;
    all.emplace_back("Content-Type", "application/x-www-form-urlencoded");
    return perform("POST", path, form, nullptr, all);
}

Answer Client::postJson(const std::string& path, const std::string& json,
                        const HeaderList& headers) const {
    HeaderList all = headers;
    all.emplace_back("Content-Type", "application/json; charset=utf-8");
    return perform("POST", path, json, nullptr, all);
}

Answer Client::postMultipart(const std::string& path, const std::vector<Part>& parts,
                             const HeaderList& headers) const {
    return perform("POST", path, {}, &parts, headers);
}

Answer Client::perform(const std::string& method, const std::string& path, const std::string& body,
                       const std::vector<Part>* parts, HeaderList headers) const {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, SlistDeleter> list;
    headers.emplace_back("Expect", ""); // no 100-continue round trip
    for (const auto& [name, value] : headers) {
        const std::string line = value.empty() ? name + ";" : name + ": " + value;
        list.reset(curl_slist_append(list.release(), line.c_str()));
    }
    Answer answer;
    const std::string url = base_ + path;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca_.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, list.get());
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 30L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, append);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &answer.body);
    std::unique_ptr<curl_mime, MimeDeleter> mime;
    if (parts) {
        mime.reset(curl_mime_init(curl.get()));
        for (const Part& part : *parts) {
            curl_mimepart* field = curl_mime_addpart(mime.get());
            curl_mime_name(field, part.name.c_str());
            curl_mime_data(field, part.data.data(), part.data.size());
            if (!part.fileName.empty()) {
                curl_mime_filename(field, part.fileName.c_str());
            }
            if (!part.contentType.empty()) {
                curl_mime_type(field, part.contentType.c_str());
            }
        }
        curl_easy_setopt(curl.get(), CURLOPT_MIMEPOST, mime.get());
    } else if (method == "POST") {
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    }
    answer.result = curl_easy_perform(curl.get());
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &answer.status);
    return answer;
}

HeaderList clientHeaders(const std::string& uuid) {
    return {{"CLIENTID", "396"}, {"OS", "WIN"}, {"UUID", uuid}};
}

Session signIn(const Client& client, const std::string& user, const std::string& uuid,
               const std::string& password) {
    const Answer answer = client.postForm("/api/wl/executeLogin",
                                          "user=" + user + "&pass=" + password + "&uuid=" + uuid,
                                          {{"OS", "WIN"}, {"CLIENTID", "396"}, {"UUID", uuid}});
    const Json json = answer.json();
    EXPECT_EQ(answer.code(), "200") << answer.body;
    if (!json.is_object() || !json.contains("data")) {
        return {uuid, {}, {}, {}};
    }
    const Json& data = json["data"];
    return {uuid, data.value("token", ""), data.value("id_user", ""), data.value("level", "")};
}

} // namespace standin::testing
