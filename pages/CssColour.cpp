#include "pages/CssColour.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

// CSS Color Module Level 4 named colours and keywords, sorted.
constexpr std::array<std::string_view, 150> kNamed = {
    "aliceblue",
    "antiquewhite",
    "aqua",
    "aquamarine",
    "azure",
    "beige",
    "bisque",
    "black",
    "blanchedalmond",
    "blue",
    "blueviolet",
    "brown",
    "burlywood",
    "cadetblue",
    "chartreuse",
    "chocolate",
    "coral",
    "cornflowerblue",
    "cornsilk",
    "crimson",
    "currentcolor",
    "cyan",
    "darkblue",
    "darkcyan",
    "darkgoldenrod",
    "darkgray",
    "darkgreen",
    "darkgrey",
    "darkkhaki",
    "darkmagenta",
    "darkolivegreen",
    "darkorange",
    "darkorchid",
    "darkred",
    "darksalmon",
    "darkseagreen",
    "darkslateblue",
    "darkslategray",
    "darkslategrey",
    "darkturquoise",
    "darkviolet",
    "deeppink",
    "deepskyblue",
    "dimgray",
    "dimgrey",
    "dodgerblue",
    "firebrick",
    "floralwhite",
    "forestgreen",
    "fuchsia",
    "gainsboro",
    "ghostwhite",
    "gold",
    "goldenrod",
    "gray",
    "green",
    "greenyellow",
    "grey",
    "honeydew",
    "hotpink",
    "indianred",
    "indigo",
    "ivory",
    "khaki",
    "lavender",
    "lavenderblush",
    "lawngreen",
    "lemonchiffon",
    "lightblue",
    "lightcoral",
    "lightcyan",
    "lightgoldenrodyellow",
    "lightgray",
    "lightgreen",
    "lightgrey",
    "lightpink",
    "lightsalmon",
    "lightseagreen",
    "lightskyblue",
    "lightslategray",
    "lightslategrey",
    "lightsteelblue",
    "lightyellow",
    "lime",
    "limegreen",
    "linen",
    "magenta",
    "maroon",
    "mediumaquamarine",
    "mediumblue",
    "mediumorchid",
    "mediumpurple",
    "mediumseagreen",
    "mediumslateblue",
    "mediumspringgreen",
    "mediumturquoise",
    "mediumvioletred",
    "midnightblue",
    "mintcream",
    "mistyrose",
    "moccasin",
    "navajowhite",
    "navy",
    "oldlace",
    "olive",
    "olivedrab",
    "orange",
    "orangered",
    "orchid",
    "palegoldenrod",
    "palegreen",
    "paleturquoise",
    "palevioletred",
    "papayawhip",
    "peachpuff",
    "peru",
    "pink",
    "plum",
    "powderblue",
    "purple",
    "rebeccapurple",
    "red",
    "rosybrown",
    "royalblue",
    "saddlebrown",
    "salmon",
    "sandybrown",
    "seagreen",
    "seashell",
    "sienna",
    "silver",
    "skyblue",
    "slateblue",
    "slategray",
    "slategrey",
    "snow",
    "springgreen",
    "steelblue",
    "tan",
    "teal",
    "thistle",
    "tomato",
    "transparent",
    "turquoise",
    "violet",
    "wheat",
    "white",
    "whitesmoke",
    "yellow",
    "yellowgreen",
};

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isHexColour(std::string_view v) {
    if (v.empty() || v[0] != '#')
        return false;
    const size_t digits = v.size() - 1;
    if (digits != 3 && digits != 4 && digits != 6 && digits != 8)
        return false;
    return std::all_of(v.begin() + 1, v.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// rgb(), rgba(), hsl(), hsla() whose arguments are numbers (with "%", "deg",
// signs and decimals) separated by commas, blanks or "/".
bool isFunctionColour(std::string_view v) {
    const std::string l = lower(v);
    size_t open = l.find('(');
    if (open == std::string::npos || l.back() != ')')
        return false;
    const std::string name = l.substr(0, open);
    if (name != "rgb" && name != "rgba" && name != "hsl" && name != "hsla")
        return false;
    const std::string_view args = std::string_view(l).substr(open + 1, l.size() - open - 2);
    bool digit = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const char c = args[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digit = true;
        } else if (args.substr(i, 3) == "deg") {
            i += 2;
        } else if (std::string_view(" ,./%+-").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return digit;
}

} // namespace

std::string cssColour(std::string_view value) {
    const std::string v = trim(value);
    if (isHexColour(v) || isFunctionColour(v))
        return v;
    if (std::binary_search(kNamed.begin(), kNamed.end(), lower(v)))
        return v;
    return {};
}

} // namespace sumberlaras::pages
