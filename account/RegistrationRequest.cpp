#include "account/RegistrationRequest.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sumberlaras {

namespace {

MultipartPart filePart(const std::string& name, const PhotoFile& photo) {
    MultipartPart part;
    part.name = name;
    part.data = photo.bytes;
    part.fileName = std::filesystem::path(photo.path).filename().string();
    part.contentType = photoContentType(photo.path);
    return part;
}

} // namespace

std::optional<PhotoFile> readPhotoFile(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    PhotoFile photo{path, std::string(std::istreambuf_iterator<char>(in), {})};
    if (in.bad())
        return std::nullopt;
    return photo;
}

std::string photoContentType(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".jpg" || ext == ".jpeg")
        return "image/jpeg";
    if (ext == ".png")
        return "image/png";
    return "application/octet-stream";
}

HttpRequest registrationRequest(const std::string& baseUrl, const std::string& clientId,
                                const std::string& recordJson, const PhotoFile& identity,
                                const PhotoFile& profile) {
    HttpRequest request;
    request.method = "POST";
    request.url = baseUrl + "/api/wl/executeRegistration";
    request.headers = {{"CLIENTID", clientId}, {"OS", "WIN"}};
    MultipartPart data;
    data.name = "data";
    data.data = recordJson;
    data.contentType = "application/json; charset=utf-8";
    request.multipart = {data, filePart("foto_identitas", identity), filePart("photo", profile)};
    return request;
}

} // namespace sumberlaras
