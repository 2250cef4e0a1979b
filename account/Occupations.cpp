#include "account/Occupations.h"

namespace sumberlaras {

std::vector<std::string> splitOccupations(const std::string& text) {
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    std::string::size_type start = 0;
    for (;;) {
        auto end = text.find(';', start);
        pieces.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

std::vector<std::string> occupationsOf(const Json* clientJson) {
    if (!clientJson || !clientJson->is_object())
        return {};
    auto data = clientJson->find("data");
    if (data == clientJson->end() || !data->is_object())
        return {};
    auto list = data->find("daftar_pekerjaan");
    if (list == data->end() || !list->is_string())
        return {};
    return splitOccupations(list->get<std::string>());
}

} // namespace sumberlaras
