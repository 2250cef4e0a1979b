#pragma once

#include <string>
#include <utility>
#include <vector>

#include <curl/curl.h>
#include <nlohmann/json.hpp>

#include "tests/support/Standin.h"

namespace standin::testing {

using Json = nlohmann::ordered_json;
using HeaderList = std::vector<std::pair<std::string, std::string>>;

struct Answer {
    CURLcode result = CURLE_OK;
    long status = 0;
    std::string body;

    // Discarded (is_discarded()) when the body is not JSON.
    Json json() const { return Json::parse(body, nullptr, false); }
    std::string code() const;
};

struct Part {
    std::string name, data, fileName, contentType;
};

// A plain libcurl client for the stand-in, trusting its CA.
class Client {
public:
    explicit Client(const sumberlaras::testing::Standin& standin)
        : base_(standin.baseUrl()), ca_(standin.caFile()) {}

    Answer get(const std::string& path, const HeaderList& headers = {}) const;
    Answer postForm(const std::string& path, const std::string& form,
                    const HeaderList& headers = {}) const;
    Answer postJson(const std::string& path, const std::string& json,
                    const HeaderList& headers = {}) const;
    Answer postMultipart(const std::string& path, const std::vector<Part>& parts,
                         const HeaderList& headers = {}) const;

private:
    Answer perform(const std::string& method, const std::string& path, const std::string& body,
                   const std::vector<Part>* parts, HeaderList headers) const;

    std::string base_, ca_;
};

// The identity a signed-in client sends with every member request.
struct Session {
    std::string uuid, key, userId, level;

    HeaderList headers() const {
        return {{"CLIENTID", "396"}, {"OS", "WIN"},      {"UUID", uuid},
                {"KEY", key},        {"USERID", userId}, {"USERLEVEL", level}};
    }
};

HeaderList clientHeaders(const std::string& uuid);
// Signs in and returns the session; fails the test when the sign-in is refused.
Session signIn(const Client& client, const std::string& user, const std::string& uuid,
               const std::string& password = "baca1234");

inline constexpr const char* kSiti = "siti@sumberlaras.id";
inline constexpr const char* kBudi = "budi@sumberlaras.id";

} // namespace standin::testing
