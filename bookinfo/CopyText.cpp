#include "bookinfo/CopyText.h"

#include "reader/session/PageLabels.h"

namespace sumberlaras::bookinfo {

std::string copyPageLabel(int pageIndex, int32_t halamanRomawi) {
    if (pageIndex < halamanRomawi)
        return reader::IntToRoman(pageIndex);
    return std::to_string(static_cast<int64_t>(pageIndex) - halamanRomawi);
}

std::string clipboardText(const reader::TDetailBook& book, const std::string& pageLabel,
                          const std::string& passage) {
    const char* crlf = "\r\n";
    return "Judul : " + book.judul + crlf + "Penulis : " + book.penulis + crlf +
           "Penerbit : " + book.penerbit + crlf + "Tahun Terbit : " + book.tahun_terbit + crlf +
           "Halaman : " + pageLabel + crlf + "Frase : " + passage;
}

bool recordCopy(Json& textCopyObject, const std::string& pageLabel, const std::string& passage) {
    if (!textCopyObject.is_object())
        textCopyObject = Json::object();
    Json& data = textCopyObject["data"];
    if (!data.is_array())
        data = Json::array();
    for (const Json& entry : data) {
        if (entry.is_object() && entry.value("page", Json()) == pageLabel &&
            entry.value("text", Json()) == passage)
            return false;
    }
    Json entry = Json::object();
    entry["page"] = pageLabel;
    entry["text"] = passage;
    data.push_back(std::move(entry));
    return true;
}

} // namespace sumberlaras::bookinfo
