#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "account/RegistrationRequest.h"

namespace sumberlaras {
namespace {

TEST(RegistrationRequest, ThreePartsInOrderWithOnlyTheTwoHeaders) {
    const PhotoFile identity{"/home/siti/Foto KTP.JPG", std::string("\xFF\xD8\0\x01", 4)};
    const PhotoFile profile{"/home/siti/profil.png", "\x89PNG"};
    const HttpRequest r =
        registrationRequest("https://h:1", "396", R"({"nama":"Siti"})", identity, profile);

    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.url, "https://h:1/api/wl/executeRegistration");
    EXPECT_EQ(r.headers, (HeaderList{{"CLIENTID", "396"}, {"OS", "WIN"}}));
    EXPECT_TRUE(r.body.empty());
    ASSERT_EQ(r.multipart.size(), 3u);
    EXPECT_EQ(r.multipart[0].name, "data");
    EXPECT_EQ(r.multipart[0].data, R"({"nama":"Siti"})");
    EXPECT_EQ(r.multipart[0].fileName, "");
    EXPECT_EQ(r.multipart[0].contentType, "application/json; charset=utf-8");
    EXPECT_EQ(r.multipart[1].name, "foto_identitas");
    EXPECT_EQ(r.multipart[1].data, identity.bytes);
    EXPECT_EQ(r.multipart[1].fileName, "Foto KTP.JPG");
    EXPECT_EQ(r.multipart[1].contentType, "image/jpeg");
    EXPECT_EQ(r.multipart[2].name, "photo");
    EXPECT_EQ(r.multipart[2].fileName, "profil.png");
    EXPECT_EQ(r.multipart[2].contentType, "image/png");
}

TEST(RegistrationRequest, ContentTypeFromExtension) {
    const std::pair<const char*, const char*> cases[] = {{"a.jpg", "image/jpeg"},
                                                         {"a.JPEG", "image/jpeg"},
                                                         {"a.Png", "image/png"},
                                                         {"a.gif", "application/octet-stream"},
                                                         {"noext", "application/octet-stream"},
                                                         {"dir.png/a", "application/octet-stream"}};
    for (const auto& [path, type] : cases)
        EXPECT_EQ(photoContentType(path), type) << path;
}

TEST(RegistrationRequest, PhotosAreReadWholeOrNotAtAll) {
    const auto dir = std::filesystem::temp_directory_path() / "account_photo_test";
    std::filesystem::create_directories(dir);
    const auto file = dir / "ktp.jpg";
    {
        std::ofstream out(file, std::ios::binary);
        out << std::string("\xFF\xD8\0\xFF\xD9", 5);
    }
    const auto photo = readPhotoFile(file.string());
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->bytes, std::string("\xFF\xD8\0\xFF\xD9", 5));
    EXPECT_FALSE(readPhotoFile((dir / "missing.jpg").string()));
    EXPECT_FALSE(readPhotoFile(dir.string()));
    EXPECT_FALSE(readPhotoFile(""));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace sumberlaras
