#include "standin/Form.h"

namespace standin {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string decoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

FormFields parseForm(const std::string& text) {
    FormFields fields;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('&', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string pair = text.substr(start, end - start);
        if (!pair.empty()) {
            const size_t equals = pair.find('=');
            if (equals == std::string::npos) {
                fields.emplace_back(decoded(pair), "");
            } else {
                fields.emplace_back(decoded(pair.substr(0, equals)),
                                    decoded(pair.substr(equals + 1)));
            }
        }
        start = end + 1;
    }
    return fields;
}

const std::string* findField(const FormFields& fields, const std::string& name) {
    for (const auto& [key, value] : fields) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

} // namespace standin
