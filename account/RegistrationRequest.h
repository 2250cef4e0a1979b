#pragma once

#include <optional>
#include <string>

#include "service/HttpTransport.h"

namespace sumberlaras {

// A photo to upload, read completely before anything is sent.
struct PhotoFile {
    std::string path;
    std::string bytes;
};

// nullopt when the file is missing or cannot be read.
std::optional<PhotoFile> readPhotoFile(const std::string& path);

// Content type by extension (case ignored); unknown ones go as bytes.
std::string photoContentType(const std::string& path);

// POST of the record and the two photos as multipart form data; only the
// CLIENTID and OS headers are the program's own.
HttpRequest registrationRequest(const std::string& baseUrl, const std::string& clientId,
                                const std::string& recordJson, const PhotoFile& identity,
                                const PhotoFile& profile);

} // namespace sumberlaras
