#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "standin/Catalogue.h"

namespace standin {

// The book's document: a title page, the front matter in Roman numerals and
// the body pages with printed page numbers that match the client's labels.
std::string bookDocument(const Book& book);

std::string coverImage(const Book& book);
std::string bannerImage(int number);
std::string logoImage(bool forLogin);
std::string introImage();
std::string avatarImage(int memberId);

// Makes pictures and documents on first request and keeps them in a folder,
// so that starting stays quick and later requests are served from disk.
class MediaStore {
public:
    explicit MediaStore(std::string folder);

    // Empty when the catalogue has no such file.
    std::optional<std::string> image(const std::string& folder, const std::string& name);
    std::optional<std::string> document(const std::string& name);

private:
    std::optional<std::string> cached(const std::string& key,
                                      std::optional<std::string> (*make)(const std::string&));

    std::string folder_;
    std::mutex mutex_;
};

} // namespace standin
