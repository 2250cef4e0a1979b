#include "reader/session/PageLabels.h"

namespace sumberlaras::reader {

std::string pageDisplayText(int pageIndex, int32_t halamanTotal) {
    return std::to_string(static_cast<int64_t>(pageIndex) + 1) + "/" + std::to_string(halamanTotal);
}

std::string IntToRoman(int num) {
    static const struct {
        int value;
        const char* text;
    } kNumerals[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                     {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                     {5, "V"},    {4, "IV"},   {1, "I"}};
    std::string out;
    for (const auto& n : kNumerals) {
        while (num >= n.value) {
            out += n.text;
            num -= n.value;
        }
    }
    return out;
}

} // namespace sumberlaras::reader
