// The signed-in identity changes on the main thread while older requests run:
// every request carries one identity whole, never parts of two.
#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/service/WireFixture.h"

using namespace sumberlaras;
using namespace sumberlaras::testing;

namespace {

// Before login, and two members in turn (as after logout and a new sign-in).
const std::vector<UserIdentity> kMembers = {
    {},
    {.FUserId = "11", .FToken = "kunci-aaaa", .FUserLevel = "1"},
    {.FUserId = "2222", .FToken = "kb", .FUserLevel = "22"},
};

using Headers = std::map<std::string, std::string>;

// The member-bound headers of one request.
Headers memberHeaders(const std::vector<std::pair<std::string, std::string>>& all) {
    Headers out;
    for (const auto& [name, value] : all)
        if (name == "KEY" || name == "USERID" || name == "USERLEVEL")
            out[name] = value;
    return out;
}

Headers expectedFor(const UserIdentity& who) {
    Headers out;
    for (const auto& [name, value] : {std::pair<std::string, std::string>{"KEY", who.FToken},
                                      {"USERID", who.FUserId},
                                      {"USERLEVEL", who.FUserLevel}})
        if (!value.empty())
            out[name] = value;
    return out;
}

bool isOneMember(const Headers& headers) {
    for (const auto& who : kMembers)
        if (headers == expectedFor(who))
            return true;
    return false;
}

std::string describe(const Headers& headers) {
    std::string out;
    for (const auto& [name, value] : headers)
        out += name + "=" + value + " ";
    return out;
}

// Turns the identity over on this thread until `done` holds.
template <class Done> void switchMembersUntil(TSawiraLib& lib, Done done) {
    for (size_t i = 0; !done(); ++i)
        lib.setIdentity(kMembers[i % kMembers.size()]);
}

class IdentitySnapshot : public ::testing::Test, protected WireFixture {};

TEST_F(IdentitySnapshot, HeadersNeverMixTwoMembers) {
    auto lib = make();
    constexpr int kThreads = 3;
    constexpr int kRounds = 20000;
    std::atomic<int> finished{0};
    std::vector<std::vector<Headers>> mixed(kThreads);
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                HttpRequest request;
                lib->setCustomParams(request);
                const Headers got = memberHeaders(request.headers);
                if (!isOneMember(got) && mixed[t].size() < 5)
                    mixed[t].push_back(got);
            }
            ++finished;
        });
    switchMembersUntil(*lib, [&] { return finished == kThreads; });
    for (auto& w : workers)
        w.join();
    for (int t = 0; t < kThreads; ++t)
        for (const auto& h : mixed[t])
            ADD_FAILURE() << "thread " << t << " sent a mix: " << describe(h);
}

TEST_F(IdentitySnapshot, ARequestsBodyAndHeadersNameTheSameMember) {
    // Sign-out names the member twice: in its form and in its headers.
    auto lib = make(wired());
    constexpr int kThreads = 3;
    constexpr int kRequests = 15;
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([&] {
            for (int i = 0; i < kRequests; ++i) {
                const Json answer = lib->Logoutrequest();
                EXPECT_TRUE(answer.is_object());
            }
            ++finished;
        });
    switchMembersUntil(*lib, [&] { return finished == kThreads; });
    for (auto& w : workers)
        w.join();

    int seen = 0;
    for (const auto& entry : sharedStandin().log()) {
        if (entry["path"] != "/api/wl/executeLogout")
            continue;
        ++seen;
        Headers headers;
        for (const auto& h : entry["headers"])
            if (h[0] == "KEY" || h[0] == "USERID" || h[0] == "USERLEVEL")
                headers[h[0].get<std::string>()] = h[1].get<std::string>();
        EXPECT_TRUE(isOneMember(headers)) << describe(headers);
        const std::string body = entry["body"].get<std::string>();
        const auto user = headers.find("USERID");
        EXPECT_EQ(body, "id_user=" + (user == headers.end() ? std::string() : user->second))
            << describe(headers);
    }
    EXPECT_EQ(seen, kThreads * kRequests);
}

} // namespace
