// An answer body as the service client reads it: the envelope, the answer
// slot, and every reader the pages, the account forms and the reader use on
// what a slot holds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "account/AccountAnswers.h"
#include "account/JsonText.h"
#include "base/JsonSlot.h"
#include "pages/PageBuilders.h"
#include "pages/PageText.h"
#include "reader/session/Book.h"
#include "reader/session/Outbox.h"
#include "service/AnswerText.h"
#include "service/Envelope.h"
#include "tests/fuzz/FuzzChecks.h"

using namespace sumberlaras;
using namespace sumberlaras::fuzz;

namespace {

constexpr const char* kPrefix = "Error Exception #410 : ";
constexpr std::string_view kBase = "https://127.0.0.1:47443";

constexpr const char* kContentTypes[] = {
    "",
    "application/json",
    "application/json; charset=utf-8",
    "text/html; charset=ISO-8859-1",
    "application/json;charset=\"latin1\"",
    "text/plain; charset=windows-1252",
    "application/json; charset=utf-16",
    "TEXT/JSON; CHARSET=LATIN-1; q=1",
};

// Members every reader is asked for besides those the answer has.
constexpr const char* kNames[] = {"code", "msg",   "data", "total_rows", "total", "count",
                                  "id",   "judul", "stok", "img",        "url",   "page_index"};

bool lowerStartsWith(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
        if (c != prefix[i])
            return false;
    }
    return true;
}

// What a service address may be: on the service's own https origin.
bool onServiceOrigin(std::string_view url) {
    if (!lowerStartsWith(url, kBase))
        return false;
    const std::string_view rest = url.substr(kBase.size());
    return rest.empty() || rest.front() == '/' || rest.front() == '?' || rest.front() == '#' ||
           rest.front() == '\\';
}

void readMember(const Json& object, const std::string& name) {
    const auto it = object.is_object() ? object.find(name) : object.end();
    const bool present = it != object.end();

    const std::string asText = readText(object, name);
    const std::string pageText = pages::text(object, name);
    const std::string formText = jsonText(object, name.c_str());
    FUZZ_CHECK(wellFormedUtf8(asText));
    FUZZ_CHECK(wellFormedUtf8(pageText));
    FUZZ_CHECK(wellFormedUtf8(formText));
    if (!present || it->is_null() || it->is_structured()) {
        FUZZ_CHECK(asText.empty() && pageText.empty());
    } else if (it->is_string()) {
        const auto& s = it->get_ref<const std::string&>();
        FUZZ_CHECK(asText == s && pageText == s);
        if (name.find('\0') == std::string::npos) // the form reader takes a C string
            FUZZ_CHECK(formText == s);
    } else if (it->is_number_integer()) {
        FUZZ_CHECK(asText == pageText);
    }

    const long long whole = pages::integer(object, name);
    const std::string shownCount = pages::count(object, name);
    if (!present || it->is_null())
        FUZZ_CHECK(shownCount.empty());
    else
        FUZZ_CHECK(shownCount == std::to_string(whole));
    if (present && it->is_number_float()) {
        const double d = it->get<double>();
        // A number that fits is read towards zero; none that does not fit is read at all.
        if (std::fabs(d) < 9.2e18)
            FUZZ_CHECK(whole == static_cast<long long>(d));
    }

    const int32_t small = reader::readInteger(object, name);
    if (small != 0)
        FUZZ_CHECK(present && !it->is_null());

    FUZZ_CHECK(pages::items(object, name).is_array());
    FUZZ_CHECK(pages::object(object, name).is_object());
    if (present && it->is_array())
        FUZZ_CHECK(&pages::items(object, name) == &*it);

    const std::string address = pages::serviceAddress(asText, kBase);
    FUZZ_CHECK(address.empty() || address == asText);
    if (!address.empty())
        FUZZ_CHECK_MSG(onServiceOrigin(address), shown(address));
}

// Every object of the answer, read the way each slot reader reads it.
void readEverything(const Json& answer) {
    std::vector<const Json*> pending{&answer};
    size_t visited = 0;
    while (!pending.empty() && visited < 2000) {
        const Json* node = pending.back();
        pending.pop_back();
        ++visited;
        if (node->is_object()) {
            for (const char* name : kNames)
                readMember(*node, name);
            for (const auto& [key, value] : node->items())
                readMember(*node, key);
            const int pagesShown = pages::resultPageCount(*node);
            FUZZ_CHECK(pagesShown >= 0 && pagesShown <= 100000);
        }
        if (node->is_structured())
            for (const Json& child : *node)
                pending.push_back(&child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    HttpResponse response;
    response.contentType = kContentTypes[data[0] & 7];
    response.ok = (data[0] & 8) == 0;
    response.status = response.ok ? 200 : 502;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (response.ok)
        response.body = bytes;
    else
        response.error = bytes;

    // The text of the body is UTF-8 whatever came.
    FUZZ_CHECK(isValidUtf8(bytes) == wellFormedUtf8(bytes));
    const std::string text = answerTextAsUtf8(bytes, response.contentType);
    FUZZ_CHECK_MSG(wellFormedUtf8(text), shown(text));
    const std::string widened = latin1ToUtf8(bytes);
    FUZZ_CHECK(wellFormedUtf8(widened));
    FUZZ_CHECK(widened.size() >= bytes.size());

    // The envelope: always an object, said to be the service's only when it is.
    bool fromService = true;
    const Json answer = answerObject(response, kPrefix, &fromService);
    FUZZ_CHECK(answer.is_object());
    if (!fromService) {
        FUZZ_CHECK(answerCode(answer) == "500");
        FUZZ_CHECK(readText(answer, "msg").starts_with(kPrefix));
    } else {
        FUZZ_CHECK(response.ok);
        FUZZ_CHECK(answer == Json::parse(text));
    }
    std::string dumped;
    try {
        dumped = answer.dump(); // strict: every text must be UTF-8
    } catch (const Json::exception& e) {
        fail(__FILE__, __LINE__, "the answer serialises", e.what());
    }
    FUZZ_CHECK(Json::parse(dumped) == answer);

    // Through a slot, as the pages read it.
    JsonSlot slot;
    slot.store(answer);
    const JsonPtr held = slot.get();
    FUZZ_CHECK(held && *held == answer);
    slot.store(Json::object());
    FUZZ_CHECK(*held == answer); // a reader's answer outlives the next store

    readEverything(answer);

    // The readers that take the whole answer.
    const reader::OutboxAnswer verdict = reader::classifyAnswer(answer, fromService);
    if (!fromService)
        FUZZ_CHECK(verdict == reader::OutboxAnswer::Failed);
    try {
        const reader::TDetailBook book = reader::makeDetailBook(answer, answer);
        FUZZ_CHECK(wellFormedUtf8(book.judul) && wellFormedUtf8(book.id));
    } catch (const std::runtime_error&) {
        FUZZ_CHECK(!answer.contains("data") || !answer["data"].is_object());
    }
    const Json registration = registrationAnswer(response);
    FUZZ_CHECK(registration.is_object());
    const RegistrationVerdict registered = judgeRegistration(registration);
    if (registered.outcome == RegistrationOutcome::Registered)
        FUZZ_CHECK(jsonText(registration, "code") == "200");
    judgeForgotPassword(answer);
    judgeForgotPassword(registration);
    return 0;
}
