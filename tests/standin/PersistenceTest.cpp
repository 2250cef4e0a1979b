// State survives a restart of the stand-in; --reset starts clean.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "tests/standin/Client.h"

namespace standin::testing {
namespace {

class PersistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "standin-keep-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    static int resumePage(const sumberlaras::testing::Standin& standin) {
        const Client client(standin);
        const Session session = signIn(client, kSiti, "AAAA0001");
        return client.postForm("/api/wl/requestBaca", "id_konten=121", session.headers())
            .json()["page_index"];
    }

    std::string folder;
};

TEST_F(PersistenceTest, ReturnsSurviveARestartAndResetForgetsThem) {
    {
        sumberlaras::testing::Standin standin(folder);
        const Client client(standin);
        const Session session = signIn(client, kSiti, "AAAA0001");
        const std::string idBaca =
            client.postForm("/api/wl/requestBaca", "id_konten=121", session.headers())
                .json()["id_baca"];
        ASSERT_EQ(client
                      .postForm("/api/wl/bookReturn",
                                "id_konten=121&id_baca=" + idBaca + "&page_index=4",
                                session.headers())
                      .code(),
                  "200");
    }
    {
        sumberlaras::testing::Standin standin(folder);
        EXPECT_EQ(resumePage(standin), 4);
    }
    {
        sumberlaras::testing::Standin standin(folder, true);
        EXPECT_EQ(resumePage(standin), 0);
    }
}

TEST_F(PersistenceTest, CertificateAuthorityIsKeptAcrossRestarts) {
    const auto readCa = [this] {
        std::ifstream in(std::filesystem::path(folder) / "ca.pem");
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::string first;
    {
        sumberlaras::testing::Standin standin(folder);
        first = readCa();
    }
    sumberlaras::testing::Standin standin(folder, true);
    EXPECT_EQ(readCa(), first);
    EXPECT_NE(first.find("BEGIN CERTIFICATE"), std::string::npos);
    EXPECT_EQ(Client(standin).get("/api/generic/provinsi").code(), "200");
}

} // namespace
} // namespace standin::testing
