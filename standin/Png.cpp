#include "standin/Png.h"

#include <cmath>
#include <stdexcept>

#include <zlib.h>

namespace standin {
namespace {

void putU32(std::string& out, uint32_t value) {
    out += static_cast<char>(value >> 24);
    out += static_cast<char>(value >> 16);
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    putU32(out, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    putU32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                            static_cast<uInt>(body.size()))));
}

} // namespace

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height) * 3) {
    rect(0, 0, width, height, fill);
}

Rgb Canvas::at(int x, int y) const {
    const size_t i =
        (static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3;
    return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
}

void Canvas::blend(int x, int y, Rgb colour, int alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const size_t i =
        (static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3;
    auto mix = [alpha](uint8_t under, uint8_t over) {
        return static_cast<uint8_t>((under * (255 - alpha) + over * alpha) / 255);
    };
    pixels_[i] = mix(pixels_[i], colour.r);
    pixels_[i + 1] = mix(pixels_[i + 1], colour.g);
    pixels_[i + 2] = mix(pixels_[i + 2], colour.b);
}

void Canvas::verticalGradient(Rgb top, Rgb bottom) {
    for (int y = 0; y < height_; ++y) {
        const double t = height_ > 1 ? static_cast<double>(y) / (height_ - 1) : 0;
        const Rgb row{static_cast<uint8_t>(top.r + (bottom.r - top.r) * t),
                      static_cast<uint8_t>(top.g + (bottom.g - top.g) * t),
                      static_cast<uint8_t>(top.b + (bottom.b - top.b) * t)};
        rect(0, y, width_, 1, row);
    }
}

void Canvas::rect(int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) {
            blend(col, row, colour, 255);
        }
    }
}

void Canvas::circle(int cx, int cy, int radius, Rgb colour, int alpha) {
    const int r2 = radius * radius;
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r2) {
                blend(x, y, colour, alpha);
            }
        }
    }
}

std::string Canvas::png() const {
    std::string raw;
    raw.reserve(pixels_.size() + static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        raw += '\0'; // no filter
        raw.append(reinterpret_cast<const char*>(&pixels_[static_cast<size_t>(y * width_) * 3]),
                   static_cast<size_t>(width_) * 3);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  6) != Z_OK) {
        throw std::runtime_error("PNG compression failed");
    }
    packed.resize(size);

    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    putU32(header, static_cast<uint32_t>(width_));
    putU32(header, static_cast<uint32_t>(height_));
    header += '\x08'; // bit depth
    header += '\x02'; // colour type RGB
    header += std::string(3, '\0');
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}

Rgb fromHsv(double hue, double s, double v) {
    hue = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0);
    const double c = v * s;
    const double x = c * (1 - std::fabs(std::fmod(hue / 60.0, 2) - 1));
    const double m = v - c;
    double r = 0, g = 0, b = 0;
    if (hue < 60) {
        r = c, g = x;
    } else if (hue < 120) {
        r = x, g = c;
    } else if (hue < 180) {
        g = c, b = x;
    } else if (hue < 240) {
        g = x, b = c;
    } else if (hue < 300) {
        r = x, b = c;
    } else {
        r = c, b = x;
    }
    auto byte = [m](double channel) {
        return static_cast<uint8_t>(std::lround((channel + m) * 255));
    };
    return {byte(r), byte(g), byte(b)};
}

} // namespace standin
